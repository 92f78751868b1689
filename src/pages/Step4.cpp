#include "pages/Step4.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/PageLook.h"
#include "app/ProgressStrip.h"
#include "app/QtHost.h"
#include "app/WorkNotice.h"
#include "pages/PageTexts.h"
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "programmer/LinkTexts.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "wizard/CWizard.h"

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& at) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(at);
  StyleWizardButton(button);
  return button;
}

}  // namespace

Step4::Step4() : PageBase("Step4", 6960, 2724) {
  auto* instructions = new QLabel(this);
  instructions->setObjectName("Label1");
  instructions->setGeometry(TwipsRect(240, 240, 4455, 1455));
  instructions->setWordWrap(true);
  instructions->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  instructions->setText(
      ShownText(tr("The firmware selected for upgrading is shown below.\r\n\r\n"
                   "Click on Begin Programming to upgrade the hand control.\r\n\r\n"
                   "Click on Verify Firmware to confirm that the firmware is programmed "
                   "correctly.")));
  FitText(instructions);

  lblFirmware_ = new QLabel(this);
  lblFirmware_->setObjectName("lblFirmware");
  lblFirmware_->setGeometry(TwipsRect(120, 1680, 4335, 255));
  lblFirmware_->setFont(BoldSansFont());

  cmdProgram_ =
      MakeButton(this, "cmdProgram", tr("Begin Programming"), TwipsRect(120, 2040, 2172, 372));
  cmdVerify_ =
      MakeButton(this, "cmdVerify", tr("Verify Firmware"), TwipsRect(2400, 2040, 2052, 372));
  // The buttons' lower edge meets the progress strip; lift them clear of it by one pixel.
  for (QPushButton* button : {cmdProgram_, cmdVerify_}) button->resize(button->width(), 23);

  strip_ = new ProgressStrip(this);
  strip_->setGeometry(TwipsRect(120, 2400, 4335, 255));
  strip_->setAccessibleName(tr("Progress"));

  txtStatus_ = MakeTextBox(this, "txtStatus", TwipsRect(4680, 120, 2172, 2172));
  txtStatus_->setAccessibleName(tr("Status"));
  cmdRefresh_ =
      MakeButton(this, "cmdRefresh", tr("Refresh Status"), TwipsRect(4680, 2400, 2172, 252));
  for (QPushButton* button : {cmdProgram_, cmdVerify_, cmdRefresh_}) FitText(button);

  auto* line = new QFrame(this);
  line->setObjectName("Line1");
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(Twips(4560) - 1, Twips(120), 3, Twips(2520));

  setFocusProxy(cmdProgram_);
  connect(cmdProgram_, &QPushButton::clicked, this, [this] { cmdProgram_Click(); });
  connect(cmdVerify_, &QPushButton::clicked, this, [this] { cmdVerify_Click(); });
  connect(cmdRefresh_, &QPushButton::clicked, this, [this] { cmdRefresh_Click(); });
  TheQtHost().SetProgressView(this);
  WatchKeys();
}

Step4::~Step4() {
  TheQtHost().SetProgressView(nullptr);
}

void Step4::ShowProgress(const std::string& label, double fraction) {
  strip_->SetProgress(fraction, QString::fromStdString(label));
}

void Step4::ResetPacifier() {
  strip_->Reset();
}

void Step4::LockButtons(bool locked) {
  cmdRefresh_->setEnabled(!locked);
  cmdProgram_->setEnabled(!locked);
  cmdVerify_->setEnabled(!locked);
}

void Step4::ShowStatus(bool query) {
  ShowNow(txtStatus_, tr("Determining Status ..."));
  if (query) RefreshHandControlInfo();
  ShowNow(txtStatus_, BuildStatusText());
}

// The page at work: wizard frozen, buttons locked. The exit button stays usable on this page
// only while a run can be cancelled; outside a run it would leave the program in the middle of
// a hand control exchange.
Step4::PageWork::PageWork(Step4& page) : page_(page), frozen_(page.Wizard()) {
  page_.Wizard().TerminateButton()->setEnabled(false);
  page_.LockButtons(true);
}

Step4::PageWork::~PageWork() {
  page_.ResetPacifier();
  page_.LockButtons(false);
}

Step4::IdleBox::IdleBox(CWizard& wizard)
    : exit_(wizard.TerminateButton()), wasEnabled_(exit_->isEnabled()) {
  exit_->setEnabled(true);
}

Step4::IdleBox::~IdleBox() {
  exit_->setEnabled(wasEnabled_);
}

// The run flags and the exit button as a cancel button, for as long as the operation runs.
Step4::Run::Run(Operation operation) : flags_(operation) {
  Step4::Wizard().SetTerminateRole(TerminateRole::Cancel);
  Step4::Wizard().TerminateButton()->setEnabled(true);
}

Step4::Run::~Run() {
  CWizard& wizard = Step4::Wizard();
  wizard.SetCaption(QString::fromStdString(WindowCaption()));
  wizard.SetTerminateRole(TerminateRole::Finish);
  wizard.TerminateButton()->setEnabled(false);  // until the page is idle again
}

void Step4::BeforePageShow(CWizard& wizard, int16_t previousStep) {
  if (previousStep != 3) {
    ShowNow(txtStatus_, BuildStatusText());
    return;
  }
  FrozenScope frozen(wizard);
  ShowNow(txtStatus_, BuildStatusText());
  lblFirmware_->setText(tr("Filename: %1").arg(QString::fromStdString(gFirmwareFile)));
  ResetPacifier();
}

void Step4::BeforePageHide(CWizard& wizard, int16_t nextStep, bool&) {
  if (nextStep != wizard.CurrentStep() + 1) return;
  FrozenScope frozen(wizard);
  ShowNow(txtStatus_, tr("Determining Status ..."));
}

void Step4::cmdRefresh_Click() {
  PageWork work(*this);
  ShowStatus(true);
}

// Without an answer the user is shown how to enter programming mode and nothing runs.
bool Step4::HandControlAnswers() {
  if (PingHandControl()) return true;
  IdleBox idle(Wizard());
  LinkHost().ShowProgrammingModeHelp();
  return false;
}

void Step4::cmdProgram_Click() {
  PageWork work(*this);
  if (!HandControlAnswers()) return;
  bool programmed = false;
  {
    WorkNotice notice(Wizard().Window());
    Run run(Operation::Programming);
    programmed = ProgramHandControl();
    notice.Ended(programmed ? tr("The hand control is programmed.")
                            : tr("Programming the hand control did not complete."));
  }
  ShowStatus(true);
  // A cancel request has always been answered by now: confirmed, the run returned false.
  if (programmed) {
    IdleBox idle(Wizard());
    Message(PageMessage(MessageKind::ProgrammingComplete));
    ShowStatus(false);
    LinkHost().Breathe();
  }
}

void Step4::cmdVerify_Click() {
  PageWork work(*this);
  if (!HandControlAnswers()) return;
  bool fast = false;
  if (gQueryVerify) {
    IdleBox idle(Wizard());
    const MsgAnswer answer = Message(PageMessage(MessageKind::VerifyModeQuestion));
    if (answer == MsgAnswer::Cancel) return;
    fast = answer == MsgAnswer::Yes;
  }
  bool identical = false;
  {
    WorkNotice notice(Wizard().Window());
    Run run(Operation::Verifying);
    identical = fast ? FastVerify() : FullVerify();
    notice.Ended(identical ? tr("Verified: the hand control holds the firmware file's contents.")
                           : tr("The verification ended without finding the contents identical."));
  }
  ShowStatus(false);
  if (identical) {
    IdleBox idle(Wizard());
    Message(PageMessage(MessageKind::ContentsIdentical));
    LinkHost().Breathe();
  }
}
