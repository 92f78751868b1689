// The window program's host of hand control operations.
#include "wizard/QtHost.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include "wizard/CWizard.h"

void QtHost::Breathe() {
  QCoreApplication::processEvents();
}

MsgAnswer QtHost::Message(const std::string& text, const std::string& title, MsgIcon icon,
                          MsgButtons buttons) {
  if (messageBox_) return messageBox_(text, title, icon, buttons);
  return ShowQtMessageBox(text, title, icon, buttons);
}

void QtHost::Progress(const std::string& label, double fraction, const std::string& caption) {
  if (progressView_) progressView_->ShowProgress(label, fraction);
  if (wizard_) wizard_->SetCaption(QString::fromStdString(caption));
}

void QtHost::ShowProgrammingModeHelp() {
  if (modeHelp_) modeHelp_();
}

void QtHost::RestoreCancelButton() {
  if (!wizard_) return;
  QPushButton* terminate = wizard_->TerminateButton();
  terminate->setText("Cancel");
  terminate->setEnabled(true);
}

QtHost& TheQtHost() {
  static QtHost host;
  return host;
}

namespace {

QMessageBox::Icon ToQt(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information:
      return QMessageBox::Information;
    case MsgIcon::Warning:
      return QMessageBox::Warning;
    case MsgIcon::Question:
      return QMessageBox::Question;
    case MsgIcon::Error:
      return QMessageBox::Critical;
    case MsgIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
    case MsgButtons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

}  // namespace

MsgAnswer ShowQtMessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                           MsgButtons buttons) {
  // Message lines are separated by CR LF; a stray CR would show as a box on some fonts.
  QString body = QString::fromStdString(text);
  body.replace("\r\n", "\n");
  QMessageBox box(ToQt(icon), QString::fromStdString(title), body, ToQt(buttons),
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return MsgAnswer::Yes;
    case QMessageBox::No:
      return MsgAnswer::No;
    case QMessageBox::Retry:
      return MsgAnswer::Retry;
    case QMessageBox::Ok:
      return MsgAnswer::Ok;
    default:
      // Closing the box without a choice is the cautious answer.
      return buttons == MsgButtons::Ok      ? MsgAnswer::Ok
             : buttons == MsgButtons::YesNo ? MsgAnswer::No
                                            : MsgAnswer::Cancel;
  }
}
