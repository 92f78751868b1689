#pragma once
// The look of the wizard's buttons, shared with the pages' own buttons: bold italic Arial 9 pt
// on RGB(255, 192, 128).
class QPushButton;
class QWidget;

void StyleWizardButton(QPushButton* button);
// Solid background colour for a window or page (e.g. the pages' grey RGB(128, 128, 128)).
void SetBackground(QWidget* widget, int red, int green, int blue);
