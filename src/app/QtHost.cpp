// The window program's host of hand control operations.
#include "app/QtHost.h"
#include "base/TextUtil.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "base/DebugLog.h"
#include "programmer/LinkTexts.h"
#include "startup/Startup.h"
#include "wizard/CWizard.h"

namespace {

const char* AnswerName(MsgAnswer answer) {
  switch (answer) {
    case MsgAnswer::Yes:
      return "Yes";
    case MsgAnswer::No:
      return "No";
    case MsgAnswer::Cancel:
      return "Cancel";
    case MsgAnswer::Retry:
      return "Retry";
    case MsgAnswer::Ok:
      break;
  }
  return "OK";
}

}  // namespace

void QtHost::Breathe() {
  QCoreApplication::processEvents();
}

MsgAnswer QtHost::Message(const HostMessage& message) {
  if (ending_) {
    const MsgAnswer answer = UnattendedAnswer(message);
    DebugLog("Ending: " + EnglishMessageText(message) +
             (message.cause.empty() ? "" : " (" + message.cause + ")") + " - answered " +
             AnswerName(answer));
    return answer;
  }
  BoxContent box{MessageText(message), MessageTitle(message), {},
                 message.row->icon,    message.row->buttons,  message.row->cautious};
  if (box.title.empty()) box.title = gBaseName;
  // A cause the text already names as a parameter is not said twice.
  if (std::find(message.args.begin(), message.args.end(), message.cause) == message.args.end()) {
    box.cause = message.cause;
  }
  const MsgAnswer answer = messageBox_ ? messageBox_(box) : ShowQtMessageBox(box);
  // Ended from outside while the box was up: it was closed unanswered.
  return ending_ ? UnattendedAnswer(message) : answer;
}

MsgAnswer UnattendedAnswer(const HostMessage& message) {
  if (message.Kind() == MessageKind::CancelProgrammingQuestion) return MsgAnswer::Yes;
  if (message.Kind() == MessageKind::ExitQuestion) return MsgAnswer::Yes;
  switch (message.row->buttons) {
    case MsgButtons::Ok:
      return MsgAnswer::Ok;
    case MsgButtons::YesNo:
      return MsgAnswer::No;
    case MsgButtons::YesNoCancel:
    case MsgButtons::RetryCancel:
      break;
  }
  return MsgAnswer::Cancel;
}

void QtHost::Progress(LinkPhase phase, double fraction) {
  if (progressView_) progressView_->ShowProgress(ProgressLabel(phase, fraction), fraction);
  if (wizard_) wizard_->SetCaption(QString::fromStdString(ProgressCaption(fraction)));
}

void QtHost::ShowProgrammingModeHelp() {
  if (modeHelp_) modeHelp_();
}

void QtHost::CancelDeclined() {
  if (!wizard_) return;
  wizard_->SetTerminateRole(TerminateRole::Cancel);
  wizard_->TerminateButton()->setEnabled(true);
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

// Qt wraps a message line at 500 pixels, leaving a lone last word such as "on." on a line of
// its own; lines that fit three quarters of the screen are kept whole (the cause's lines too).
void KeepLinesWhole(QMessageBox& box, const QString& body) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  auto* label = box.findChild<QLabel*>("qt_msgbox_label");
  const int index = grid && label ? grid->indexOf(label) : -1;
  if (index < 0) return;
  int row = 0, column = 0, rows = 0, columns = 0;
  grid->getItemPosition(index, &row, &column, &rows, &columns);
  const QFontMetrics metrics(label->font());
  int widest = 0;
  for (const QString& line : body.split('\n')) {
    widest = std::max(widest, metrics.horizontalAdvance(line));
  }
  const QScreen* screen = box.screen();
  const int limit = screen ? screen->availableGeometry().width() * 3 / 4 : widest;
  grid->addItem(new QSpacerItem(std::min(widest + 2, limit), 0), grid->rowCount(), column);
}

}  // namespace

MsgAnswer ShowQtMessageBox(const BoxContent& content) {
  // Message lines are separated by CR LF; a stray CR would show as a box on some fonts.
  const QString body = QString::fromStdString(WithLfLineEnds(content.text));
  const MsgButtons buttons = content.buttons;
  QMessageBox box(ToQt(content.icon), QString::fromStdString(content.title), body, ToQt(buttons),
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  // On its own line under the text, not behind "Show Details...": the cause is what tells the
  // user what to do about the failure.
  if (!content.cause.empty()) {
    box.setInformativeText(QString::fromStdString(WithLfLineEnds(content.cause)));
    if (auto* cause = box.findChild<QLabel*>("qt_msgbox_informativelabel")) {
      cause->setTextFormat(Qt::PlainText);
    }
  }
  if (content.cautious == MsgAnswer::No && buttons == MsgButtons::YesNo) {
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
  }
  KeepLinesWhole(box, content.cause.empty() ? body : body + '\n' + box.informativeText());
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
