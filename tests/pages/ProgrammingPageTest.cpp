// The programming page against the simulated hand control on virtual time.
#include <QAccessible>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "PagesFixture.h"
#include "pages/Step2.h"
#include "pages/Step4.h"
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "startup/Settings.h"
#include "startup/Startup.h"

namespace {

const char* const kComplete =
    "Programming Complete\r\n\r\n"
    "After exiting PadFlasher, turn the Quorrel kit power off and then back on.\r\n"
    "The Hand Control should now be updated and ready to go.\r\n"
    "Check the Hand Control Version using the Utilities menu.";

class ProgrammingPageTest : public PagesTest {
 protected:
  void SetUp() override {
    PagesTest::SetUp();
    WriteImage("fw.bin", 0x4321);
    KnowCode("4321", 4, 2);
    StartWizard();
    NextTo(2);
    Find<QComboBox>(step2, "cboComPort")->setCurrentIndex(1);
    NextTo(4);
    ASSERT_EQ(Wizard().CurrentStep(), 4);
    program = Find<QPushButton>(step4, "cmdProgram");
    verify = Find<QPushButton>(step4, "cmdVerify");
    status = Find<QPlainTextEdit>(step4, "txtStatus");
    strip = Find<QFrame>(step4, "Shape1");
    bar = Find<QFrame>(step4, "Shape2");
    pacifier = Find<QLabel>(step4, "lblPacifier");
  }
  int Count(const std::string& prefix) const {
    const auto& log = sim->Device().CommandLog();
    return static_cast<int>(std::count_if(
        log.begin(), log.end(), [&](const std::string& c) { return c.starts_with(prefix); }));
  }
  bool FlashHoldsImage() {
    return std::equal(gImage.begin(), gImage.end(), sim->Device().Flash().begin());
  }
  // The page is idle again: buttons usable, wizard not frozen, bar empty, exit reads Finish.
  void ExpectIdle() {
    EXPECT_TRUE(program->isEnabled());
    EXPECT_TRUE(verify->isEnabled());
    EXPECT_FALSE(Wizard().Frozen());
    EXPECT_EQ(bar->width(), 0);
    EXPECT_EQ(pacifier->text(), "");
    EXPECT_EQ(Wizard().TerminateButton()->text(), "Finish");
    EXPECT_TRUE(Wizard().TerminateButton()->isEnabled());
    EXPECT_EQ(Wizard().Window()->windowTitle().toStdString(), WindowCaption());
    EXPECT_FALSE(gProgramming);
    EXPECT_FALSE(gVerifying);
  }

  QPushButton* program = nullptr;
  QPushButton* verify = nullptr;
  QPlainTextEdit* status = nullptr;
  QFrame* strip = nullptr;
  QFrame* bar = nullptr;
  QLabel* pacifier = nullptr;
};

}  // namespace

TEST_F(ProgrammingPageTest, ShowsTheChosenFileAndAnEmptyBar) {
  EXPECT_EQ(Find<QLabel>(step4, "lblFirmware")->text(), "Filename: fw.bin");
  EXPECT_TRUE(status->toPlainText().startsWith("File: fw.bin\nVersion: 4.02\n"));
  ExpectIdle();
  EXPECT_FALSE(Button(WizardButton::Next)->isEnabled());
}

TEST_F(ProgrammingPageTest, ProgrammingWritesTheImageAndReportsCompletionOnce) {
  // What the user sees while the run is under way.
  QString captionSeen, terminateSeen;
  int widestBar = 0;
  bool lockedSeen = false;
  // ... and what a screen reader hears of the bar: a progress bar with the bar's percentage.
  QAccessibleInterface* readOut = QAccessible::queryAccessibleInterface(strip);
  ASSERT_NE(readOut, nullptr);
  ASSERT_NE(readOut->valueInterface(), nullptr);
  EXPECT_EQ(readOut->role(), QAccessible::ProgressBar);
  EXPECT_EQ(readOut->text(QAccessible::Name), "Progress");
  double highestRead = 0;
  int readsOffTheBar = 0;
  host.onBreathe = [&] {
    if (!gProgramming) return;
    captionSeen = Wizard().Window()->windowTitle();
    terminateSeen = Wizard().TerminateButton()->text();
    widestBar = std::max(widestBar, bar->width());
    const double percent = readOut->valueInterface()->currentValue().toDouble();
    highestRead = std::max(highestRead, percent);
    readsOffTheBar += std::abs(percent / 100 * strip->width() - bar->width()) > 1 ||
                      readOut->text(QAccessible::Value) != pacifier->text();
    lockedSeen = lockedSeen || (!program->isEnabled() && Wizard().Frozen() &&
                                Wizard().TerminateButton()->isEnabled());
  };
  std::string statusWhenTold;
  host.onMessage = [&](const ScriptedHost::Shown&) {
    statusWhenTold = status->toPlainText().toStdString();
  };
  QTest::mouseClick(program, Qt::LeftButton);

  EXPECT_EQ(host.Texts(), std::vector<std::string>{kComplete});
  EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
  EXPECT_EQ(host.messages[0].title, "PadFlasher");
  EXPECT_TRUE(FlashHoldsImage());
  EXPECT_EQ(Count("@@5"), 1);
  EXPECT_TRUE(lockedSeen);
  EXPECT_EQ(terminateSeen, "Cancel");
  EXPECT_TRUE(captionSeen.startsWith("HC ")) << captionSeen.toStdString();
  EXPECT_GT(widestBar, strip->width() / 2);
  EXPECT_GT(highestRead, 50);
  EXPECT_EQ(readsOffTheBar, 0);
  EXPECT_EQ(readOut->valueInterface()->currentValue().toDouble(), 0);
  // The status was refreshed with a new query before the message: the hand control now holds
  // the image's firmware.
  EXPECT_NE(statusWhenTold.find("Hand Control\nVersion: 4.02"), std::string::npos)
      << statusWhenTold;
  ExpectIdle();
}

TEST_F(ProgrammingPageTest, CancelThroughTheExitButtonStopsTheRun) {
  int clicks = 0;
  QString afterClick;
  host.onBreathe = [&] {
    if (clicks == 0 && Count("@@2") >= 2) {
      ++clicks;
      QTest::mouseClick(Wizard().TerminateButton(), Qt::LeftButton);
      afterClick = Wizard().TerminateButton()->text();
    }
  };
  host.Script({MsgAnswer::Yes});  // yes, cancel programming
  QTest::mouseClick(program, Qt::LeftButton);

  EXPECT_EQ(afterClick, "Wait...");
  EXPECT_TRUE(host.Showed("Programming cancelled by user"));
  EXPECT_FALSE(host.Showed(kComplete));
  EXPECT_EQ(host.unexpected, 0);
  EXPECT_FALSE(FlashHoldsImage());
  EXPECT_TRUE(Wizard().Window()->isVisible()) << "a cancel request never closes the window";
  ExpectIdle();
}

TEST_F(ProgrammingPageTest, HandControlOutOfProgrammingModeRunsNothing) {
  sim->Device().GetFaults().silent = true;
  const size_t before = sim->Device().CommandLog().size();
  QTest::mouseClick(program, Qt::LeftButton);
  QTest::mouseClick(verify, Qt::LeftButton);
  EXPECT_EQ(host.helpShown, 2);
  EXPECT_EQ(Count("@@5"), 0);
  EXPECT_EQ(sim->Device().CommandLog().size(), before + 2) << "only the two presence tests";
  EXPECT_TRUE(host.messages.empty());
  ExpectIdle();
}

TEST_F(ProgrammingPageTest, VerifyModeQuestionChoosesTheCheck) {
  struct Case {
    bool query;
    MsgAnswer answer;
    const char* command;  // the read command the check uses, or none
  };
  const Case cases[] = {
      {true, MsgAnswer::Cancel, nullptr},
      {true, MsgAnswer::Yes, "@@8"},
      {true, MsgAnswer::No, "@@6"},
      {false, MsgAnswer::Ok, "@@6"},
  };
  sim->Device().Flash() = gImage;  // the hand control already holds the image
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.query ? "asked, " : "not asked, ") + (c.command ? c.command : "-"));
    host.messages.clear();
    gQueryVerify = c.query;
    const int fast = Count("@@8"), full = Count("@@6");
    if (c.query) host.Script({c.answer});
    QTest::mouseClick(verify, Qt::LeftButton);
    if (c.query) {
      ASSERT_FALSE(host.messages.empty());
      EXPECT_EQ(host.messages[0].text, "Fast Verify Only?");
      EXPECT_EQ(host.messages[0].title, "Verify Mode:");
      EXPECT_EQ(host.messages[0].icon, MsgIcon::None);
      EXPECT_EQ(host.messages[0].buttons, MsgButtons::YesNoCancel);
    }
    const bool ran = c.command != nullptr;
    EXPECT_EQ(Count("@@8") > fast, ran && std::string(c.command) == "@@8");
    EXPECT_EQ(Count("@@6") > full, ran && std::string(c.command) == "@@6");
    EXPECT_EQ(host.Showed("Contents are Identical"), ran);
    ExpectIdle();
  }
  // After Cancel the exit button still asks whether to leave.
  host.messages.clear();
  host.Script({MsgAnswer::No});
  Click(WizardButton::Terminate);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Are you sure you want to Exit the program?");
}

TEST_F(ProgrammingPageTest, VerifyFindsADifferenceAndCanBeCancelled) {
  sim->Device().Flash() = gImage;
  sim->Device().Flash()[0x10] ^= 0xFF;
  host.Script({MsgAnswer::No});  // do not continue after the difference
  QTest::mouseClick(verify, Qt::LeftButton);
  EXPECT_TRUE(host.Showed("Verify Cancelled by User"));
  EXPECT_FALSE(host.Showed("Contents are Identical"));
  ExpectIdle();

  host.messages.clear();
  sim->Device().Flash() = gImage;
  bool clicked = false;
  host.onBreathe = [&] {
    if (gVerifying && !clicked && Count("@@6") >= 3) {
      clicked = true;
      QTest::mouseClick(Wizard().TerminateButton(), Qt::LeftButton);
      EXPECT_FALSE(Wizard().TerminateButton()->isEnabled());
      EXPECT_EQ(Wizard().TerminateButton()->text(), "Cancel");
    }
  };
  QTest::mouseClick(verify, Qt::LeftButton);
  EXPECT_TRUE(clicked);
  EXPECT_EQ(host.Texts(), std::vector<std::string>{"Verify cancelled by user"});
  EXPECT_FALSE(gCancelVerify);
  ExpectIdle();
}

TEST_F(ProgrammingPageTest, RefreshQueriesTheHandControl) {
  const int queries = Count("@@3");
  QTest::mouseClick(Find<QPushButton>(step4, "cmdRefresh"), Qt::LeftButton);
  EXPECT_EQ(Count("@@3"), queries + 1);
  ExpectIdle();
}

TEST_F(ProgrammingPageTest, ASecondRunAfterACancelledCheckRunsItsOwnCheckToTheEnd) {
  bool pressed = false;
  host.onBreathe = [&] {
    if (gVerifying && !pressed && Count("@@8") >= 3) {
      pressed = true;
      QTest::mouseClick(Wizard().TerminateButton(), Qt::LeftButton);
    }
  };
  QTest::mouseClick(program, Qt::LeftButton);
  host.onBreathe = nullptr;
  ASSERT_TRUE(pressed);
  EXPECT_EQ(host.Texts(), std::vector<std::string>{"Verify cancelled by user"});
  ExpectIdle();

  host.messages.clear();
  const int checksBefore = Count("@@8");
  QTest::mouseClick(program, Qt::LeftButton);
  EXPECT_EQ(host.Texts(), std::vector<std::string>{kComplete});
  EXPECT_GE(Count("@@8") - checksBefore, 384) << "every block of bank 0 was checked";
  ExpectIdle();
}

TEST_F(ProgrammingPageTest, OutsideARunTheExitButtonWaitsForThePage) {
  const struct {
    const char* what;
    QPushButton* button;
    bool silent;  // the hand control does not answer
  } cases[] = {
      {"Refresh Status", Find<QPushButton>(step4, "cmdRefresh"), false},
      {"Begin Programming, no answer", program, true},
      {"Verify Firmware, no answer", verify, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    sim->Device().GetFaults().silent = c.silent;
    bool exitUsable = false;
    int breaths = 0;
    host.onBreathe = [&] {
      ++breaths;
      exitUsable = exitUsable || Wizard().TerminateButton()->isEnabled();
    };
    QTest::mouseClick(c.button, Qt::LeftButton);
    host.onBreathe = nullptr;
    EXPECT_GT(breaths, 0);
    EXPECT_FALSE(exitUsable) << "Finish meanwhile would close the port under the exchange";
    EXPECT_EQ(Count("@@5"), 0);
    ExpectIdle();
  }
}

// Only an exchange keeps the user from leaving: the page's own boxes come between exchanges.
TEST_F(ProgrammingPageTest, TheExitButtonIsUsableWhileThePagesOwnBoxIsUp) {
  std::vector<std::pair<MessageKind, bool>> seen;
  host.onMessage = [&](const ScriptedHost::Shown& shown) {
    seen.emplace_back(shown.kind, Wizard().TerminateButton()->isEnabled());
  };
  QTest::mouseClick(program, Qt::LeftButton);
  gQueryVerify = true;
  host.Script({MsgAnswer::Yes});
  QTest::mouseClick(verify, Qt::LeftButton);
  const std::vector<std::pair<MessageKind, bool>> expected = {
      {MessageKind::ProgrammingComplete, true},
      {MessageKind::VerifyModeQuestion, true},
      {MessageKind::ContentsIdentical, true}};
  EXPECT_EQ(seen, expected);
  ExpectIdle();
}
