#pragma once
// The application's look, shared by the wizard window, the pages and the dialogs: design
// positions in twips, the grey page background, colours, fonts, buttons and the drawn pictures.
#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QString>

#include "wizard/WizardStyle.h"

class QPushButton;
class QWidget;

inline const QColor kPageGrey(128, 128, 128);
inline const QColor kButtonColour(255, 192, 128);
inline const QColor kHeadingYellow(255, 255, 192);
inline const QColor kLightGreyText(224, 224, 224);
// Text we add to the grey pages: 5.3:1 against them, where even white reaches only 4:1.
inline const QColor kNoteText(0, 0, 0);

// 15 twips are one pixel at 96 dots per inch.
inline int Twips(int twips) {
  return (twips + 7) / 15;
}
inline QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
}

// The coloured buttons of the wizard and the pages: bold italic Arial 9 pt on RGB(255, 192, 128).
void StyleWizardButton(QPushButton* button);
// Solid background colour for a window or page.
void SetBackground(QWidget* widget, const QColor& colour);
// The wizard window as this program shows it: caption with the version, the splash picture,
// the coloured buttons, and the exit button usable during a run on page 4.
WizardStyle ApplicationWizardStyle();

// Grey background and the given text colour for the widget and its children.
void PaintPage(QWidget* page, const QColor& text = Qt::white);
void SetTextColour(QWidget* widget, const QColor& colour);
// Bold "MS Sans Serif" as the pages' label font; Liberation Sans stands in on Linux.
QFont BoldSansFont();

// Pictures drawn for the program, compiled into it: "splash" (120 x 226) and "handcontrol"
// (200 x 256). A null pixmap when the name is unknown.
QPixmap ArtPixmap(const QString& name);
