#include "wizard/WizardStyle.h"

#include <QFont>
#include <QPalette>
#include <QPushButton>

void StyleWizardButton(QPushButton* button) {
  QFont font("Arial");
  font.setPointSize(9);
  font.setBold(true);
  font.setItalic(true);
  button->setFont(font);
  QPalette palette = button->palette();
  palette.setColor(QPalette::Button, QColor(255, 192, 128));
  palette.setColor(QPalette::Active, QPalette::ButtonText, Qt::black);
  palette.setColor(QPalette::Inactive, QPalette::ButtonText, Qt::black);
  palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 128));
  palette.setColor(QPalette::Disabled, QPalette::Button, QColor(255, 192, 128));
  button->setPalette(palette);
  button->setAutoDefault(false);
}

void SetBackground(QWidget* widget, int red, int green, int blue) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, QColor(red, green, blue));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}
