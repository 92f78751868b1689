#include "app/PageLook.h"

#include <QCoreApplication>
#include <QFont>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

#include "startup/Startup.h"

// Resources compiled into a static library need an explicit reference, or the linker drops them.
static void InitArtResources() {
  Q_INIT_RESOURCE(padflasher);
}

void StyleWizardButton(QPushButton* button) {
  QFont font("Arial");
  font.setPointSize(9);
  font.setBold(true);
  font.setItalic(true);
  button->setFont(font);
  QPalette palette = button->palette();
  palette.setColor(QPalette::Button, kButtonColour);
  palette.setColor(QPalette::Active, QPalette::ButtonText, Qt::black);
  palette.setColor(QPalette::Inactive, QPalette::ButtonText, Qt::black);
  palette.setColor(QPalette::Disabled, QPalette::ButtonText, kPageGrey);
  palette.setColor(QPalette::Disabled, QPalette::Button, kButtonColour);
  button->setPalette(palette);
  button->setAutoDefault(false);
}

void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

WizardStyle ApplicationWizardStyle() {
  WizardStyle style;
  style.Caption = QString::fromStdString(WindowCaption());
  style.Splash = ArtPixmap("splash");
  if (style.Splash.isNull())
    style.Splash = QPixmap(QString::fromStdString(gProgramFolder + "/splash.png"));
  style.StyleButton = StyleWizardButton;
  style.HelpText = QCoreApplication::translate("Wizard", "Help");
  style.BackText = QCoreApplication::translate("Wizard", "<  Back");
  style.NextText = QCoreApplication::translate("Wizard", "Next  >");
  style.BackName = QCoreApplication::translate("Wizard", "Back");
  style.NextName = QCoreApplication::translate("Wizard", "Next");
  style.ExitText = QCoreApplication::translate("Wizard", "Exit");
  style.FinishText = QCoreApplication::translate("Wizard", "Finish");
  style.CancelText = QCoreApplication::translate("Wizard", "Cancel");
  style.WaitText = QCoreApplication::translate("Wizard", "Wait...");
  style.CancellableStep = 4;
  return style;
}

void PaintPage(QWidget* page, const QColor& text) {
  SetBackground(page, kPageGrey);
  SetTextColour(page, text);
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
}

QFont BoldSansFont() {
  QFont font("Liberation Sans");
  font.setPointSize(8);
  font.setBold(true);
  return font;
}

QPixmap ArtPixmap(const QString& name) {
  static const bool ready = (InitArtResources(), true);
  (void)ready;
  return QPixmap(":/art/" + name + ".png");
}
