// The step engine on its own: keys, stepping order, vetoes, guards and shut-down, with a window
// that only records what it is asked to do.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPointer>

#include "WizardFakes.h"

namespace {

class StepModel : public ::testing::Test {
 protected:
  void SetUp() override {
    auto view = std::make_unique<RecordingView>(log);
    wizard = std::make_unique<CWizard>(std::move(view));
    wizard->SetShutdownRoutine([this] { log.push_back("EndProgram"); });
    controller.wizard = wizard.get();
    wizard->SetClientHandle(&controller);
  }
  void AddFour() {
    const char* keys[] = {"One", "Two", "Three", "Four"};
    for (int i = 0; i < 4; ++i) {
      pages[i] = new FakePage("p" + std::to_string(i + 1), log);
      wizard->AddPage(pages[i], keys[i]);
    }
  }
  CallLog Take() { return std::exchange(log, {}); }

  CallLog log;
  FakeController controller{log};
  std::unique_ptr<CWizard> wizard;
  FakePage* pages[4] = {};
};

TEST_F(StepModel, FreshWizardHasNothingAndStartWithoutPagesDoesNothing) {
  EXPECT_EQ(wizard->StepCount(), -1);
  EXPECT_EQ(wizard->CurrentStep(), -1);
  EXPECT_EQ(wizard->LastStep(), -1);
  EXPECT_EQ(wizard->NextStep(), -1);
  wizard->Start();
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(wizard->FinishedLoading());
}

TEST_F(StepModel, StartShowsPageOneOnceInTheDocumentedOrder) {
  AddFour();
  wizard->Start();
  EXPECT_EQ(Take(), (CallLog{"BeforeStep(1)", "p1.show(0)", "RefreshButtons", "DisableBack",
                             "AfterStep", "ShowWindow"}));
  EXPECT_EQ(wizard->CurrentStep(), 1);
  EXPECT_EQ(wizard->LastStep(), 0);
  EXPECT_EQ(wizard->NextStep(), -1);
  EXPECT_TRUE(wizard->FinishedLoading());
  EXPECT_EQ(pages[0]->seenCurrentStep, 0);  // callbacks still see the old step
  EXPECT_TRUE(pages[0]->isVisibleTo(wizard->Window()));

  wizard->Start();
  wizard->Start("Three");
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(wizard->CurrentStep(), 1);
}

TEST_F(StepModel, StartWithAKeyShowsThatPageFirst) {
  AddFour();
  wizard->Start("Three");
  EXPECT_EQ(Take(),
            (CallLog{"BeforeStep(0)", "p3.show(0)", "RefreshButtons", "AfterStep", "ShowWindow"}));
  EXPECT_EQ(wizard->CurrentStep(), 3);
  EXPECT_EQ(wizard->LastStep(), 0);
}

TEST_F(StepModel, StartWithAnUnknownKeyLeavesTheWindowHiddenAndCanBeRetried) {
  AddFour();
  wizard->Start("three");
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(wizard->FinishedLoading());
  wizard->Start();
  EXPECT_EQ(wizard->CurrentStep(), 1);
}

TEST_F(StepModel, StepsOutsideTheRangeAreIgnoredWithoutCallbacks) {
  AddFour();
  wizard->Start();
  Take();
  wizard->Step(-1);
  wizard->Step(2);
  wizard->Step(-2);
  EXPECT_TRUE(log.empty());
  wizard->StepTo("Four");
  Take();
  wizard->Step(+1);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(wizard->CurrentStep(), 4);
}

TEST_F(StepModel, ForwardAndBackCallHideThenShowAndButtonsForTheLastPage) {
  AddFour();
  wizard->Start();
  wizard->StepTo(3);
  Take();
  wizard->Step(+1);
  EXPECT_EQ(Take(), (CallLog{"BeforeStep(1)", "p3.hide(4)", "p4.show(3)", "RefreshButtons",
                             "SetLastStepButtons", "AfterStep"}));
  EXPECT_FALSE(pages[2]->isVisibleTo(wizard->Window()));
  EXPECT_TRUE(pages[3]->isVisibleTo(wizard->Window()));
  wizard->Step(-1);
  EXPECT_EQ(Take(),
            (CallLog{"BeforeStep(-1)", "p4.hide(3)", "p3.show(4)", "RefreshButtons", "AfterStep"}));
  EXPECT_EQ(wizard->LastStep(), 4);
}

TEST_F(StepModel, OnePageWizardGetsBothLastAndFirstButtons) {
  wizard->AddPage(new FakePage("only", log));
  wizard->Start();
  EXPECT_EQ(Take(), (CallLog{"BeforeStep(1)", "only.show(0)", "RefreshButtons",
                             "SetLastStepButtons", "DisableBack", "AfterStep", "ShowWindow"}));
}

TEST_F(StepModel, ControllerRefusalRunsNoPageCallbackAndKeepsTheTarget) {
  AddFour();
  wizard->Start();
  controller.refuse = true;
  Take();
  wizard->Step(+1);
  EXPECT_EQ(Take(), CallLog{"BeforeStep(1)"});
  EXPECT_EQ(wizard->CurrentStep(), 1);
  EXPECT_EQ(wizard->NextStep(), 2);
  EXPECT_FALSE(wizard->Stepping());
}

TEST_F(StepModel, PageRefusalKeepsItVisibleWithoutShowOrAfterStep) {
  AddFour();
  wizard->Start();
  wizard->Step(+1);
  pages[1]->refuse = true;
  Take();
  wizard->Step(+1);
  EXPECT_EQ(Take(), (CallLog{"BeforeStep(1)", "p2.hide(3)"}));
  EXPECT_EQ(wizard->CurrentStep(), 2);
  EXPECT_EQ(wizard->NextStep(), 3);
  EXPECT_TRUE(pages[1]->isVisibleTo(wizard->Window()));
}

TEST_F(StepModel, ControllerRedirectsNextToPageFour) {
  AddFour();
  wizard->Start();
  controller.onBeforeStep = [this] { wizard->SetNextStep("Four"); };
  Take();
  wizard->Step(+1);
  EXPECT_EQ(Take(), (CallLog{"BeforeStep(1)", "p1.hide(4)", "p4.show(1)", "RefreshButtons",
                             "SetLastStepButtons", "AfterStep"}));
  EXPECT_EQ(wizard->CurrentStep(), 4);
  EXPECT_EQ(wizard->LastStep(), 1);
}

TEST_F(StepModel, RedirectToAnUnknownKeyKeepsTheOriginalTarget) {
  AddFour();
  wizard->Start();
  controller.onBeforeStep = [this] { wizard->SetNextStep("Nine"); };
  wizard->Step(+1);
  EXPECT_EQ(wizard->CurrentStep(), 2);
}

TEST_F(StepModel, NestedRequestsDuringAStepAreIgnored) {
  AddFour();
  wizard->Start();
  controller.onBeforeStep = [this] {
    wizard->Step(+1);
    wizard->StepTo(4);
    wizard->SetCurrentStep(3);
    wizard->SetClientHandle(nullptr);
    wizard->finish();
    EXPECT_FALSE(wizard->TranslateKey(Qt::Key_Return, Qt::NoModifier));
    wizard->TransferFocus();
  };
  Take();
  wizard->Step(+1);
  EXPECT_EQ(wizard->CurrentStep(), 2);
  EXPECT_EQ(wizard->ClientHandle(), &controller);
  for (const std::string& entry : log) {
    EXPECT_NE(entry, "EndProgram");
    EXPECT_NE(entry, "TransferFocus");
  }
}

TEST_F(StepModel, WritesOutsideAStep) {
  AddFour();
  wizard->Start();
  wizard->SetNextStep(3);
  EXPECT_EQ(wizard->NextStep(), -1);
  wizard->SetCurrentStep("Three");
  EXPECT_EQ(wizard->CurrentStep(), 3);
  wizard->SetCurrentStep("nothing");
  EXPECT_EQ(wizard->CurrentStep(), 3);
}

TEST_F(StepModel, FailingCallbacks) {
  AddFour();
  wizard->Start();
  controller.failBeforeStep = true;  // a failure that had not set Cancel lets the step pass
  wizard->Step(+1);
  EXPECT_EQ(wizard->CurrentStep(), 2);
  controller.failBeforeStep = false;

  pages[2]->failShow = true;  // counts as not shown: the old page is hidden, nothing else moves
  Take();
  wizard->Step(+1);
  EXPECT_EQ(Take(), (CallLog{"BeforeStep(1)", "p2.hide(3)", "p3.show(2)"}));
  EXPECT_EQ(wizard->CurrentStep(), 2);
  EXPECT_FALSE(pages[1]->isVisibleTo(wizard->Window()));
  EXPECT_FALSE(pages[2]->isVisibleTo(wizard->Window()));
  EXPECT_FALSE(wizard->Stepping());
}

TEST_F(StepModel, AddPageKeys) {
  AddFour();
  QPointer<FakePage> duplicate = new FakePage("dup", log);
  wizard->AddPage(duplicate, "Two");
  EXPECT_EQ(wizard->StepCount(), 4);
  EXPECT_TRUE(duplicate.isNull());  // handed over and not kept: not leaked either
  wizard->AddPage(new FakePage("empty", log), "");
  wizard->AddPage(new FakePage("absent", log));
  wizard->AddPage(new FakePage("number", log), 2);
  EXPECT_EQ(wizard->StepCount(), 7);
  EXPECT_EQ(wizard->PageHandle("Two"), pages[1]);
  EXPECT_EQ(wizard->PageHandle(2), pages[1]);  // numbers are indices, never keys
  EXPECT_EQ(wizard->PageHandle("Five"), nullptr);
}

struct KeyCase {
  WizardKey key;
  int16_t expected;
};

TEST_F(StepModel, KeysResolveAsIndicesOrCaseSensitiveTexts) {
  AddFour();
  const KeyCase cases[] = {
      {"One", 1},  {"one", -1}, {"Four", 4}, {"Four ", -1}, {2, 2},    {"2", 2},
      {" 3 ", 3},  {"2.5", 2},  {"3.5", 4},  {2.5, 2},      {3.49, 3}, {0, -1},
      {5, -1},     {-1, -1},    {"1e0", 1},  {"0x1", -1},   {"", -1},  {WizardKey(), -1},
      {70000, -1}, {"inf", -1}, {"nan", -1}, {"-0", -1},    {"+4", 4}, {"4.6", -1},
  };
  for (const KeyCase& c : cases) {
    EXPECT_EQ(wizard->ResolveStep(c.key), c.expected)
        << (c.key.IsText() ? "text '" + c.key.Text() + "'" : "number");
  }
  EXPECT_FALSE(CWizard::IsValidKey(""));
  EXPECT_FALSE(CWizard::IsValidKey(WizardKey()));
  EXPECT_TRUE(CWizard::IsValidKey("x"));
  EXPECT_TRUE(CWizard::IsValidKey(0));
}

TEST_F(StepModel, StepToByLowerCaseTextDoesNothingByNumericTextSteps) {
  AddFour();
  wizard->Start();
  Take();
  wizard->StepTo("two");
  EXPECT_TRUE(log.empty());
  wizard->StepTo("2");
  EXPECT_EQ(wizard->CurrentStep(), 2);
  EXPECT_EQ(Take().front(), "BeforeStep(0)");
}

TEST_F(StepModel, ClearingTheClientFinishesAndReleasesThePages) {
  AddFour();
  wizard->Start();
  wizard->Step(+1);
  QPointer<FakePage> shown = pages[1];
  QPointer<FakePage> neverShown = pages[3];
  Take();
  wizard->SetClientHandle(nullptr);
  EXPECT_EQ(Take(), CallLog{"EndProgram"});
  EXPECT_EQ(wizard->ClientHandle(), nullptr);
  EXPECT_EQ(wizard->PageHandle("Two"), nullptr);
  EXPECT_FALSE(shown->isVisible());
  EXPECT_EQ(shown->parentWidget(), nullptr);  // given back to its previous parent
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(shown.isNull());
  EXPECT_TRUE(neverShown.isNull());
  // Nothing more is asked of a detached controller.
  wizard->Step(+1);
  EXPECT_TRUE(log.empty());
}

TEST_F(StepModel, FreezingGoesToTheWindowAndDoesNotStopCodeFromStepping) {
  AddFour();
  wizard->Start();
  Take();
  wizard->SetFrozen(true);
  EXPECT_TRUE(wizard->Frozen());
  wizard->Step(+1);
  EXPECT_EQ(wizard->CurrentStep(), 2);
  wizard->SetFrozen(false);
  EXPECT_EQ(log.front(), "Frozen");
  EXPECT_EQ(log.back(), "Thawed");
}

}  // namespace

namespace {

TEST(StepModelKeys, EnterWithoutAUsableDefaultButtonBeepsAndKeepsTheKey) {
  CallLog log;
  CWizard wizard(std::make_unique<RecordingView>(log));
  wizard.SetShutdownRoutine([] {});
  EXPECT_FALSE(wizard.TranslateKey(Qt::Key_Return, Qt::NoModifier));
  EXPECT_EQ(log, CallLog{"Beep"});
  wizard.Button(WizardButton::Back)->setDefault(true);
  wizard.Button(WizardButton::Back)->setEnabled(false);
  log.clear();
  EXPECT_FALSE(wizard.TranslateKey(Qt::Key_Enter, Qt::KeypadModifier));
  EXPECT_EQ(log, CallLog{"Beep"});
  wizard.Button(WizardButton::Terminate)->setDefault(true);
  log.clear();
  EXPECT_TRUE(wizard.TranslateKey(Qt::Key_Enter, Qt::KeypadModifier));
  EXPECT_EQ(log, CallLog{"RequestClose"});
  EXPECT_EQ(wizard.FocusTarget(), WizardButton::Terminate);
}

TEST_F(StepModel, FrozenScopesNestAndOnlyTheOutermostThaws) {
  AddFour();
  wizard->Start();
  Take();
  {
    FrozenScope outer(*wizard);
    {
      FrozenScope inner(*wizard);  // a helper that freezes inside its caller's work
      EXPECT_TRUE(wizard->Frozen());
    }
    EXPECT_TRUE(wizard->Frozen()) << "the inner scope must not thaw its caller's work";
  }
  EXPECT_FALSE(wizard->Frozen());
  EXPECT_EQ(log, (std::vector<std::string>{"Frozen", "Thawed"}));
}

}  // namespace
