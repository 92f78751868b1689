// The program's controller on fake pages: building the wizard, help topics, and the three ways
// a close request ends (cancel programming, cancel verifying, the exit question).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include "LinkState.h"
#include "ProgramState.h"
#include "TempFolder.h"
#include "WizardFakes.h"
#include "app/CWizardController.h"
#include "base/DebugLog.h"
#include "programmer/Link.h"
#include "programmer/OperationScope.h"
#include "startup/Startup.h"

namespace {

struct Asked {
  std::string text, title;
  MsgIcon icon;
  MsgButtons buttons;
};

class AnsweringHost : public IHost {
 public:
  void Breathe() override {}
  MsgAnswer Message(const HostMessage& message) override {
    const std::string title = MessageTitle(message);
    asked.push_back({MessageText(message), title.empty() ? gBaseName : title, message.row->icon,
                     message.row->buttons});
    return answer;
  }
  void Progress(LinkPhase, double) override {}
  void ShowProgrammingModeHelp() override {}
  void CancelDeclined() override {}

  MsgAnswer answer = MsgAnswer::No;
  std::vector<Asked> asked;
};

// The temporary folder is the current one (the debug log lands there) and the program folder.
class Controller : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    ResetLinkState();
    SetProgramPaths(Folder(), "PadFlasher");
  }
  void TearDown() override {
    controller.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SetHelpViewer(nullptr);
    ResetLinkState();
    TempFolderTest::TearDown();
  }
  void Create(int pageCount = 4) {
    controller = std::make_unique<CWizardController>(host, [this, pageCount] {
      std::vector<IWizardPage*> made;
      for (int i = 0; i < pageCount; ++i) {
        made.push_back(new FakePage("p" + std::to_string(i + 1), log));
        pages.push_back(static_cast<FakePage*>(made.back()));
      }
      return made;
    });
    if (!realShutdown) wizard().SetShutdownRoutine([this] { log.push_back("EndProgram"); });
  }
  CWizard& wizard() { return controller->WizardHandle(); }
  QPushButton* Terminate() { return wizard().TerminateButton(); }
  QString LogText() {
    QFile file(FilePath("debugexe.txt"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : "(none)";
  }

  SavedProgramState saved;
  CallLog log;
  AnsweringHost host;
  std::unique_ptr<CWizardController> controller;
  std::vector<FakePage*> pages;
  bool realShutdown = false;  // the program's own: settings saved, port and log closed
};

TEST_F(Controller, CreationOpensTheLogAndStartsOnPageOneWithTheKeys) {
  Create();
  EXPECT_TRUE(QFile::exists(FilePath("debugexe.txt")));
  EXPECT_TRUE(DebugEnabled());
  EXPECT_EQ(wizard().ClientHandle(), controller.get());
  EXPECT_EQ(wizard().CurrentStep(), 1);
  EXPECT_TRUE(wizard().Window()->isVisible());
  const char* keys[] = {"One", "Two", "Three", "Four"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(wizard().PageHandle(keys[i]), pages[i]);
}

TEST_F(Controller, HelpTopicPerPage) {
  std::vector<std::string> topics;
  SetHelpViewer([&](const std::string& helpFolder, const std::string& topic) {
    EXPECT_EQ(helpFolder, Folder() + "/PadFlasher.help");
    topics.push_back(topic);
  });
  Create(5);
  for (int step = 1; step <= 5; ++step) {
    wizard().StepTo(step);
    controller->OnRequestHelp();
  }
  EXPECT_EQ(topics, (std::vector<std::string>{"Step1.htm", "Step2.htm", "Step3.htm", "Step4.htm"}));
}

TEST_F(Controller, CloseWhileProgrammingBecomesACancelRequest) {
  Create();
  wizard().StepTo(4);
  OperationScope run(Operation::Programming);
  wizard().SetTerminateRole(TerminateRole::Cancel);
  EXPECT_FALSE(wizard().Window()->close());
  EXPECT_TRUE(gCancelProgramming);
  EXPECT_FALSE(gCancelVerify);
  EXPECT_EQ(Terminate()->text(), "Wait...");
  EXPECT_FALSE(Terminate()->isEnabled());
  EXPECT_TRUE(host.asked.empty());
  EXPECT_TRUE(wizard().Window()->isVisible());
  EXPECT_FALSE(std::count(log.begin(), log.end(), "EndProgram"));
}

TEST_F(Controller, CloseWhileVerifyingKeepsTheCaption) {
  Create();
  wizard().StepTo(4);
  OperationScope run(Operation::Verifying);
  wizard().SetTerminateRole(TerminateRole::Cancel);
  wizard().SetFrozen(true);
  QTest::mouseClick(Terminate(), Qt::LeftButton);  // still usable on the frozen last page
  EXPECT_TRUE(gCancelVerify);
  EXPECT_FALSE(gCancelProgramming);
  EXPECT_EQ(Terminate()->text(), "Cancel");
  EXPECT_FALSE(Terminate()->isEnabled());
  EXPECT_TRUE(host.asked.empty());
  EXPECT_TRUE(wizard().Window()->isVisible());
}

// Leaving now would close the port under the page's exchange: the close waits for the work.
TEST_F(Controller, CloseWhileAPageWorksIsAskedOnceTheWorkEnds) {
  Create();
  host.answer = MsgAnswer::No;
  for (int16_t page : {2, 3, 4}) {
    SCOPED_TRACE(page);
    wizard().StepTo(page);
    host.asked.clear();
    {
      FrozenScope working(wizard());
      {
        FrozenScope inner(wizard());
        EXPECT_FALSE(wizard().Window()->close());  // the window manager's close, Alt+F4
      }
      QCoreApplication::processEvents();
      EXPECT_TRUE(host.asked.empty()) << "still at work";
      EXPECT_FALSE(gCancelProgramming || gCancelVerify);
      EXPECT_TRUE(wizard().Window()->isVisible());
    }
    QCoreApplication::processEvents();
    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(host.asked[0].text, "Are you sure you want to Exit the program?");
    QCoreApplication::processEvents();
    EXPECT_EQ(host.asked.size(), 1u) << "asked once";
    EXPECT_TRUE(wizard().Window()->isVisible());
  }
  EXPECT_FALSE(std::count(log.begin(), log.end(), "EndProgram"));
  host.answer = MsgAnswer::Yes;
  {
    FrozenScope working(wizard());
    wizard().Window()->close();
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(std::count(log.begin(), log.end(), "EndProgram"), 1);
  EXPECT_FALSE(wizard().Window()->isVisible());
}

TEST_F(Controller, ExitQuestionAnsweredNoChangesNothing) {
  Create();
  wizard().StepTo(2);
  host.answer = MsgAnswer::No;
  QTest::mouseClick(Terminate(), Qt::LeftButton);
  ASSERT_EQ(host.asked.size(), 1u);
  EXPECT_EQ(host.asked[0].text, "Are you sure you want to Exit the program?");
  EXPECT_EQ(host.asked[0].title, "PadFlasher");
  EXPECT_EQ(host.asked[0].icon, MsgIcon::Question);
  EXPECT_EQ(host.asked[0].buttons, MsgButtons::YesNo);
  EXPECT_TRUE(wizard().Window()->isVisible());
  EXPECT_EQ(wizard().CurrentStep(), 2);
  DebugLog("still logging");
  EXPECT_TRUE(LogText().contains("still logging"));
}

TEST_F(Controller, ExitQuestionAnsweredYesSavesTheSettingsThenClosesTheLogAndFinishes) {
  // Settings that cannot be saved: the log says so before it closes.
  ASSERT_TRUE(QDir(QString::fromStdString(Folder())).mkdir("PadFlasher.ini"));
  realShutdown = true;
  Create();
  wizard().StepTo(2);
  host.answer = MsgAnswer::Yes;
  QTest::mouseClick(Terminate(), Qt::LeftButton);
  ASSERT_EQ(host.asked.size(), 1u);
  EXPECT_TRUE(LogText().contains("PadFlasher.ini: it is a folder")) << LogText().toStdString();
  EXPECT_FALSE(wizard().Window()->isVisible());
  EXPECT_EQ(wizard().ClientHandle(), nullptr);
  DebugLog("after the end");
  EXPECT_FALSE(LogText().contains("after the end"));
}

TEST_F(Controller, NextFromPageOneRightAfterStartPasses) {
  Create();
  QTest::mouseClick(wizard().Button(WizardButton::Next), Qt::LeftButton);
  EXPECT_EQ(wizard().CurrentStep(), 2);
  EXPECT_EQ(wizard().LastStep(), 1);
}

}  // namespace
