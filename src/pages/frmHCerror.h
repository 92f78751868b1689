#pragma once
// The dialog that explains how to put the hand control into programming mode.
class QWidget;

// Shows the dialog modally and returns once the user has closed it.
void ShowProgrammingModeDialog(QWidget* parent);
