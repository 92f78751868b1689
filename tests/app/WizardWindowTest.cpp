// The wizard window with fake pages: layout, buttons per page and under freezing, keys, focus
// and the closing sequence.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "WizardFakes.h"
#include "app/PageLook.h"
#include "startup/Startup.h"
#include "wizard/CWizardWindow.h"

namespace {

class WizardWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProgramPaths(PADFLASHER_BIN_DIR, "PadFlasher");
    wizard = std::make_unique<CWizard>(nullptr, ApplicationWizardStyle());
    window = dynamic_cast<CWizardWindow*>(wizard->Window());
    wizard->SetShutdownRoutine([this] { log.push_back("EndProgram"); });
    wizard->SetUnloadHandler([this] { log.push_back("Unload"); });
    controller.wizard = wizard.get();
    wizard->SetClientHandle(&controller);
  }
  void TearDown() override {
    wizard.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  void AddPages(std::vector<QSize> sizes) {
    for (size_t i = 0; i < sizes.size(); ++i) {
      auto* page = new FakePage("p" + std::to_string(i + 1), log, sizes[i]);
      page->keysTo = wizard.get();
      pages.push_back(page);
      wizard->AddPage(page, "P" + std::to_string(i + 1));
    }
  }
  void StartFour() {
    AddPages({{464, 182}, {464, 182}, {464, 182}, {464, 182}});
    wizard->Start();
  }
  QPushButton* Btn(WizardButton which) {
    return wizard->Window() ? window->Button(which) : nullptr;
  }
  bool Has(const std::string& entry) const {
    return std::find(log.begin(), log.end(), entry) != log.end();
  }

  CallLog log;
  FakeController controller{log};
  std::unique_ptr<CWizard> wizard;
  CWizardWindow* window = nullptr;
  std::vector<FakePage*> pages;
};

TEST_F(WizardWindow, LookOfTheWindowAndItsButtons) {
  StartFour();
  EXPECT_EQ(window->windowTitle(), "PadFlasher  v1.0.2");
  EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0, 0, 0));
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(window->minimumSize(), window->maximumSize());  // fixed border
  const std::pair<WizardButton, const char*> captions[] = {{WizardButton::Help, "Help"},
                                                           {WizardButton::Back, "<  Back"},
                                                           {WizardButton::Next, "Next  >"},
                                                           {WizardButton::Terminate, "Exit"}};
  for (const auto& [which, caption] : captions) {
    QPushButton* button = Btn(which);
    EXPECT_EQ(button->text(), caption);
    EXPECT_EQ(button->size(), QSize(80, 23)) << caption;
    EXPECT_TRUE(button->font().bold() && button->font().italic()) << caption;
    EXPECT_EQ(button->font().family(), "Arial");
    EXPECT_EQ(button->font().pointSize(), 9);
    EXPECT_EQ(button->palette().color(QPalette::Button), QColor(255, 192, 128)) << caption;
  }
  EXPECT_EQ(window->Splash()->size(), QSize(120, 226));
}

TEST_F(WizardWindow, LayoutAroundAPageOfTheProgramsSize) {
  StartFour();
  EXPECT_EQ(window->Splash()->geometry(), QRect(4, 4, 120, 226));
  EXPECT_EQ(window->PageArea()->geometry(), QRect(130, 2, 466, 184));
  EXPECT_EQ(pages[0]->geometry().topLeft(), QPoint(1, 1));
  EXPECT_EQ(window->SeparatorY(), 236);
  EXPECT_EQ(Btn(WizardButton::Help)->pos(), QPoint(4, 244));
  EXPECT_EQ(Btn(WizardButton::Back)->pos(), QPoint(346, 244));
  EXPECT_EQ(Btn(WizardButton::Next)->pos(), QPoint(428, 244));
  EXPECT_EQ(Btn(WizardButton::Terminate)->pos(), QPoint(518, 244));
  EXPECT_EQ(window->size(), QSize(604, 272));
  EXPECT_TRUE(wizard->FinishedLoading());
  const QRect screen = window->screen()->geometry();
  EXPECT_EQ(window->pos(), QPoint(screen.width() / 2 - 302, screen.height() / 2 - 136));
}

TEST_F(WizardWindow, NarrowPageKeepsTheButtonRowWideEnough) {
  AddPages({{50, 40}});
  wizard->Start();
  // The three right-hand buttons plus 30 pixels decide the width, not the page.
  EXPECT_EQ(Btn(WizardButton::Terminate)->x(), 240 + 30 + 4 - 80 - 2);
  EXPECT_EQ(window->width(), 240 + 30 + 4 + 4);
  EXPECT_EQ(window->SeparatorY(), 236);  // the splash is the taller one
}

TEST_F(WizardWindow, LargerPageResizesAndRecentresEqualSizeStaysPut) {
  AddPages({{464, 182}, {464, 182}, {520, 300}});
  wizard->Start();
  const QPoint first = window->pos();
  QCursor::setPos(5, 5);
  QTest::mouseClick(Btn(WizardButton::Next), Qt::LeftButton);
  EXPECT_EQ(wizard->CurrentStep(), 2);
  EXPECT_EQ(window->pos(), first);
  EXPECT_EQ(QCursor::pos(), QPoint(5, 5));
  QTest::mouseClick(Btn(WizardButton::Next), Qt::LeftButton);
  // The pointer follows the button the user clicked to its new place.
  EXPECT_EQ(QCursor::pos(), Btn(WizardButton::Next)->mapToGlobal(QPoint(40, 11)));
  EXPECT_EQ(wizard->CurrentStep(), 3);
  EXPECT_EQ(window->PageArea()->size(), QSize(522, 302));
  const QRect screen = window->screen()->geometry();
  const QRect outer = window->frameGeometry();
  EXPECT_EQ(outer.x(), screen.width() / 2 - outer.width() / 2);
  EXPECT_EQ(outer.y(), screen.height() / 2 - outer.height() / 2);
  EXPECT_NE(window->pos(), first);
}

struct ButtonRow {
  int step;
  bool back, next;
  const char* terminate;
  WizardButton defaultButton;
};

TEST_F(WizardWindow, ButtonsPerPageAndBackFromTheLastPage) {
  StartFour();
  const ButtonRow rows[] = {{1, false, true, "Exit", WizardButton::Next},
                            {2, true, true, "Exit", WizardButton::Next},
                            {3, true, true, "Exit", WizardButton::Next},
                            {4, true, false, "Finish", WizardButton::Terminate},
                            {3, true, true, "Exit", WizardButton::Next}};
  for (const ButtonRow& row : rows) {
    wizard->StepTo(row.step);
    ASSERT_EQ(wizard->CurrentStep(), row.step);
    SCOPED_TRACE("page " + std::to_string(row.step));
    EXPECT_TRUE(Btn(WizardButton::Help)->isEnabled());
    EXPECT_EQ(Btn(WizardButton::Back)->isEnabled(), row.back);
    EXPECT_EQ(Btn(WizardButton::Next)->isEnabled(), row.next);
    EXPECT_TRUE(Btn(WizardButton::Terminate)->isEnabled());
    EXPECT_EQ(Btn(WizardButton::Terminate)->text(), row.terminate);
    for (WizardButton which :
         {WizardButton::Help, WizardButton::Back, WizardButton::Next, WizardButton::Terminate}) {
      EXPECT_EQ(Btn(which)->isDefault(), which == row.defaultButton);
    }
  }
  wizard->SetTerminateRole(TerminateRole::Cancel);  // left over from a run
  wizard->StepTo(2);
  EXPECT_EQ(Btn(WizardButton::Terminate)->text(), "Exit");
}

TEST_F(WizardWindow, FrozenButtons) {
  StartFour();
  struct {
    int step;
    bool frozen;
    bool help, back, next, terminate;
  } rows[] = {{4, true, false, false, false, true},  {2, true, false, false, false, false},
              {1, true, false, false, false, false}, {1, false, true, false, true, true},
              {4, false, true, true, false, true},   {3, false, true, true, true, true}};
  for (const auto& row : rows) {
    wizard->SetFrozen(false);
    wizard->StepTo(row.step);
    wizard->SetFrozen(row.frozen);
    SCOPED_TRACE("page " + std::to_string(row.step) + (row.frozen ? " frozen" : " thawed"));
    EXPECT_EQ(Btn(WizardButton::Help)->isEnabled(), row.help);
    EXPECT_EQ(Btn(WizardButton::Back)->isEnabled(), row.back);
    EXPECT_EQ(Btn(WizardButton::Next)->isEnabled(), row.next);
    EXPECT_EQ(Btn(WizardButton::Terminate)->isEnabled(), row.terminate);
    EXPECT_EQ(window->PageArea()->isEnabled(), !row.frozen);
    EXPECT_EQ(window->cursor().shape(), row.frozen ? Qt::WaitCursor : Qt::ArrowCursor);
  }
}

TEST_F(WizardWindow, ClicksRememberTheButtonAndAskTheController) {
  StartFour();
  EXPECT_FALSE(wizard->FocusTarget().has_value());
  QTest::mouseClick(Btn(WizardButton::Next), Qt::LeftButton);
  EXPECT_EQ(wizard->CurrentStep(), 2);
  QTest::mouseClick(Btn(WizardButton::Help), Qt::LeftButton);
  EXPECT_TRUE(Has("OnRequestHelp"));
  EXPECT_EQ(wizard->FocusTarget(), WizardButton::Help);
  QTest::mouseClick(Btn(WizardButton::Back), Qt::LeftButton);
  EXPECT_EQ(wizard->CurrentStep(), 1);
  EXPECT_EQ(wizard->FocusTarget(), WizardButton::Back);
}

TEST_F(WizardWindow, KeysOnAPage) {
  StartFour();
  QLineEdit* edit = pages[0]->edit;
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(wizard->CurrentStep(), 2);
  QTest::keyClick(pages[1]->edit, Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(wizard->CurrentStep(), 1);
  QTest::keyClick(pages[0]->edit, Qt::Key_Left, Qt::AltModifier);  // Back disabled on page 1
  EXPECT_EQ(wizard->CurrentStep(), 1);
  QTest::keyClick(pages[0]->edit, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(wizard->CurrentStep(), 1);
  wizard->StepTo(3);
  QTest::keyClick(pages[2]->edit, Qt::Key_Right, Qt::ShiftModifier | Qt::AltModifier);
  EXPECT_EQ(wizard->CurrentStep(), 3);
  QTest::keyClick(pages[2]->edit, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(wizard->CurrentStep(), 3);
  QTest::keyClick(pages[2]->edit, Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(wizard->CurrentStep(), 4);
  // Enter ran Next's click handler; the arrows step without it.
  EXPECT_EQ(wizard->FocusTarget(), WizardButton::Next);
  EXPECT_FALSE(Has("OnCancel"));
  QTest::keyClick(pages[3]->edit, Qt::Key_Enter);  // Exit is the default on the last page
  EXPECT_TRUE(Has("OnCancel"));
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(wizard->FocusTarget(), WizardButton::Terminate);
}

TEST_F(WizardWindow, EnterWithNoUsableDefaultButtonIsLeftAlone) {
  StartFour();
  wizard->StepTo(2);
  wizard->SetFrozen(true);
  EXPECT_FALSE(wizard->TranslateKey(Qt::Key_Return, Qt::NoModifier));
  EXPECT_FALSE(wizard->TranslateKey(Qt::Key_Escape, Qt::NoModifier));
  EXPECT_EQ(wizard->CurrentStep(), 2);
  EXPECT_FALSE(Has("OnCancel"));
  wizard->SetFrozen(false);
  EXPECT_TRUE(wizard->TranslateKey(Qt::Key_Escape, Qt::NoModifier));
  EXPECT_TRUE(Has("OnCancel"));
  EXPECT_FALSE(wizard->TranslateKey(Qt::Key_Escape, Qt::ShiftModifier));
}

TEST_F(WizardWindow, EnterOnAWizardButtonRunsTheDefaultButtonOnce) {
  StartFour();
  QTest::keyClick(Btn(WizardButton::Help), Qt::Key_Return);
  EXPECT_FALSE(Has("OnRequestHelp"));
  EXPECT_EQ(wizard->CurrentStep(), 2);
  QTest::keyClick(Btn(WizardButton::Next), Qt::Key_Return);
  EXPECT_EQ(wizard->CurrentStep(), 3);
  QTest::keyClick(Btn(WizardButton::Help), Qt::Key_Space);  // Space presses the focused one
  EXPECT_TRUE(Has("OnRequestHelp"));
}

// Enter pressed on a message box closes it; its release then reaches the window.
void CloseBoxWithEnter(QWidget* parent) {
  QMessageBox box(QMessageBox::Information, "PadFlasher", "Programming Complete", QMessageBox::Ok,
                  parent);
  QTimer::singleShot(0, &box, [&box] { QTest::keyPress(&box, Qt::Key_Return); });
  box.exec();
}

TEST_F(WizardWindow, EnterThatClosedAMessageBoxIsNotTakenAsTheWindowsOwn) {
  StartFour();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  wizard->StepTo(4);  // Exit is the default button: a stray Enter would ask to exit
  struct Case {
    const char* where;
    QWidget* focus;  // nullptr: no control in focus, as while a run froze the page
  } cases[] = {{"window", nullptr}, {"Help button", Btn(WizardButton::Help)}};
  for (const Case& each : cases) {
    if (each.focus) {
      each.focus->setFocus();
    } else if (QWidget* focus = window->focusWidget()) {
      focus->clearFocus();
    }
    CloseBoxWithEnter(window);
    QTest::keyRelease(each.focus ? each.focus : window, Qt::Key_Return);
    EXPECT_FALSE(Has("OnCancel")) << each.where;
    // A whole Enter of the window's own still runs the default button.
    QTest::keyClick(each.focus ? each.focus : window, Qt::Key_Return);
    EXPECT_TRUE(Has("OnCancel")) << each.where;
    log.clear();
  }
}

TEST_F(WizardWindow, TransferFocusAndPageFocus) {
  StartFour();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  wizard->StepTo(2);
  EXPECT_TRUE(pages[1]->edit->hasFocus());
  wizard->TransferFocus();
  EXPECT_TRUE(Btn(WizardButton::Next)->hasFocus());
  QTest::mouseClick(Btn(WizardButton::Help), Qt::LeftButton);
  wizard->TransferFocus();
  EXPECT_TRUE(Btn(WizardButton::Help)->hasFocus());
  EXPECT_EQ(Btn(WizardButton::Next)->nextInFocusChain(), Btn(WizardButton::Terminate));
  EXPECT_EQ(Btn(WizardButton::Terminate)->nextInFocusChain(), Btn(WizardButton::Help));
  EXPECT_EQ(Btn(WizardButton::Help)->nextInFocusChain(), Btn(WizardButton::Back));
}

TEST_F(WizardWindow, RefusedCloseKeepsEverything) {
  StartFour();
  wizard->StepTo(2);
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(Has("OnCancel"));
  EXPECT_FALSE(Has("EndProgram"));
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(wizard->CurrentStep(), 2);
  EXPECT_EQ(wizard->ClientHandle(), &controller);
}

TEST_F(WizardWindow, AllowedCloseFinishesThenUnloads) {
  StartFour();
  controller.keepOpen = false;
  QPointer<FakePage> page = pages[0];
  QTest::mouseClick(Btn(WizardButton::Terminate), Qt::LeftButton);
  EXPECT_EQ(log.back(), "Unload");
  EXPECT_EQ(log.end()[-3], "OnCancel");
  EXPECT_EQ(log.end()[-2], "EndProgram");
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(wizard->ClientHandle(), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(page.isNull());
}

TEST_F(WizardWindow, EscOnAPageClosesFromInsideThePagesOwnHandler) {
  StartFour();
  controller.keepOpen = false;
  QPointer<FakePage> page = pages[0];
  QTest::keyClick(pages[0]->edit, Qt::Key_Escape);
  EXPECT_TRUE(Has("EndProgram"));
  EXPECT_TRUE(Has("Unload"));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(page.isNull());
}

TEST_F(WizardWindow, CaptionCanBeChangedByThePages) {
  StartFour();
  wizard->SetCaption("HC 37%");
  EXPECT_EQ(window->windowTitle(), "HC 37%");
}

}  // namespace
