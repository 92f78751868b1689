// The window for users of the keyboard, of screen readers and of high contrast: names and
// labels of the controls, the focus outline, and the contrast of the text in both looks.
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QStyleFactory>
#include <QTest>
#include <cmath>
#include <functional>

#include "FakeSerialTree.h"
#include "PagesFixture.h"
#include "app/LookStyle.h"
#include "app/frmWebUpdate.h"
#include "pages/Step1.h"
#include "pages/Step2.h"
#include "pages/Step3.h"
#include "pages/Step4.h"
#include "wizard/CWizardWindow.h"

namespace {

// WCAG 2 relative luminance and contrast ratio.
double Luminance(const QColor& colour) {
  const auto linear = [](int value) {
    const double v = value / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) +
         0.0722 * linear(colour.blue());
}

double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What a label's text stands on: the nearest widget that paints its own background.
QColor BackgroundOf(const QWidget* widget, QPalette::ColorGroup group) {
  const QWidget* painted = widget;
  while (painted->parentWidget() && !painted->autoFillBackground() && !painted->isWindow())
    painted = painted->parentWidget();
  return painted->palette().color(group, painted->backgroundRole());
}

bool TakesKeyboard(const QWidget* widget) {
  return (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy() && !widget->isHidden();
}

std::string Describe(const QWidget* widget) {
  return (widget->metaObject()->className() + std::string(" ") +
          widget->objectName().toStdString() + " '" + widget->accessibleName().toStdString() + "'");
}

class AccessibilityTest : public PagesTest {
 protected:
  void SetUp() override {
    PagesTest::SetUp();
    desktopStyle = QApplication::style()->name();
  }
  void TearDown() override {
    QApplication::setStyle(QStyleFactory::create(desktopStyle));
    PagesTest::TearDown();
  }
  // The wizard from page 1 to page 4 with a port and an image; onPage runs on each.
  void WalkThePages(const std::function<void()>& onPage = [] {}) {
    WriteImage("fw.bin", 0x4321);
    KnowCode("4321", 4, 2);
    StartWizard();
    for (int page = 1; page <= 4; ++page) {
      NextTo(page);
      ASSERT_EQ(Wizard().CurrentStep(), page);
      if (page == 2) Find<QComboBox>(step2, "cboComPort")->setCurrentIndex(1);
      onPage();
    }
  }
  // Every control of the window and its pages that the keyboard can reach.
  std::vector<QWidget*> Controls(QWidget* window) {
    std::vector<QWidget*> found;
    for (QWidget* each : window->findChildren<QWidget*>()) {
      if (TakesKeyboard(each)) found.push_back(each);
    }
    return found;
  }

  QString desktopStyle;
};

}  // namespace

TEST_F(AccessibilityTest, EveryControlHasANameAndListsHaveTheirLabels) {
  WalkThePages();
  frmWebUpdate web(host);
  for (QWidget* window : {Wizard().Window(), static_cast<QWidget*>(&web)}) {
    for (QWidget* control : Controls(window)) {
      QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
      ASSERT_NE(accessible, nullptr) << Describe(control);
      EXPECT_FALSE(accessible->text(QAccessible::Name).trimmed().isEmpty()) << Describe(control);
    }
  }
  // The arrows of Back and Next are not read out.
  auto* window = dynamic_cast<CWizardWindow*>(Wizard().Window());
  EXPECT_EQ(QAccessible::queryAccessibleInterface(window->Button(WizardButton::Back))
                ->text(QAccessible::Name),
            "Back");
  // A list is read with the label that names it: the port list (whose name is its current
  // entry) through the "labelled by" relation, the firmware list, a view that has no
  // relations, by name.
  auto* ports = Find<QComboBox>(step2, "cboComPort");
  auto* firmware = Find<QListWidget>(step3, "lstFirmware");
  QLabel* portLabel = Find<QLabel>(step2, "Label1");
  QLabel* firmwareLabel = Find<QLabel>(step3, "Label1");
  EXPECT_EQ(portLabel->buddy(), ports);
  EXPECT_EQ(firmwareLabel->buddy(), firmware);
  const auto relations =
      QAccessible::queryAccessibleInterface(ports)->relations(QAccessible::Label);
  EXPECT_TRUE(std::any_of(relations.begin(), relations.end(),
                          [&](auto& each) { return each.first->object() == portLabel; }));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(firmware)->text(QAccessible::Name),
            firmwareLabel->text());
}

TEST_F(AccessibilityTest, TheFocusedControlShowsAnOutlineInBothLooks) {
  QWidget* window = nullptr;
  const auto outlinePixels = [](QWidget* control, const QColor& outline) {
    QCoreApplication::processEvents();
    const QImage shown = control->grab().toImage();
    int count = 0;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x) count += shown.pixelColor(x, y) == outline;
    return count;
  };
  // The wizard's buttons and the controls of the page shown (or the page, when it has none).
  const auto checkShownControls = [&] {
    for (const auto& [highContrast, outline] :
         {std::pair{false, kFocusOutline}, std::pair{true, kHighContrastFocusOutline}}) {
      InstallLookStyle(highContrast);
      for (QWidget* control : Controls(window)) {
        if (!control->isVisible() || !control->isEnabled()) continue;
        QWidget* elsewhere = Wizard().Button(WizardButton::Help);
        if (control == elsewhere) elsewhere = Wizard().TerminateButton();
        elsewhere->setFocus(Qt::TabFocusReason);
        const int without = outlinePixels(control, outline);
        control->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(control->hasFocus()) << Describe(control);
        // Two pixels wide all round: about four times width plus height.
        EXPECT_GE(outlinePixels(control, outline) - without,
                  3 * (control->width() + control->height()))
            << Describe(control) << (highContrast ? ", high contrast" : "");
      }
    }
  };
  WalkThePages([&] {
    if (!window) {
      window = Wizard().Window();
      window->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    checkShownControls();
  });
}

TEST_F(AccessibilityTest, AddedTextReadsAt4_5To1AndHighContrastTextAt7To1) {
  FakeSerialTree tree;
  tree.Tty("ttyS0", "../../../devices/platform/serial8250", "4");
  ports = {"COM1"};
  StartWizard();
  step2->SetPortRoots(tree.Roots());
  NextTo(2);
  Find<QComboBox>(step2, "cboComPort")->setCurrentIndex(1);
  auto* deviceLine = Find<QLabel>(step2, "lblDevice");
  ASSERT_FALSE(deviceLine->text().isEmpty());
  frmWebUpdate web(host);
  web.show();
  auto* trustLine = Find<QLabel>(&web, "lblSignature");
  // The look's own colours stay; what we added to it reads at 4.5:1 as body text.
  for (QLabel* added : {deviceLine, trustLine}) {
    EXPECT_GE(Contrast(added->palette().color(QPalette::WindowText),
                       BackgroundOf(added, QPalette::Active)),
              4.5)
        << Describe(added);
    EXPECT_GE(added->font().pointSizeF(), step2->font().pointSizeF()) << Describe(added);
  }

  // High contrast: every text of the wizard, the Web Updates window and a message box, also
  // disabled ones, on what it stands on.
  InstallLookStyle(true);
  NextTo(4);
  QMessageBox box(QMessageBox::Warning, "PadFlasher", "No COM port was specified!",
                  QMessageBox::Ok);
  box.show();
  int checked = 0;
  for (QWidget* window :
       {Wizard().Window(), static_cast<QWidget*>(&web), static_cast<QWidget*>(&box)}) {
    for (QWidget* widget : window->findChildren<QWidget*>()) {
      widget->ensurePolished();
      for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Disabled}) {
        const QPalette& palette = widget->palette();
        double ratio = 0;
        if (qobject_cast<QLabel*>(widget)) {
          ratio = Contrast(palette.color(group, QPalette::WindowText), BackgroundOf(widget, group));
        } else if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget)) {
          ratio = Contrast(palette.color(group, QPalette::ButtonText),
                           palette.color(group, QPalette::Button));
        } else if (qobject_cast<QAbstractScrollArea*>(widget)) {
          ratio =
              Contrast(palette.color(group, QPalette::Text), palette.color(group, QPalette::Base));
        } else {
          continue;
        }
        ++checked;
        EXPECT_GE(ratio, 7.0) << Describe(widget) << " group " << group;
      }
    }
  }
  EXPECT_GT(checked, 40);
  // The progress text over the bar's fill.
  auto* fill = Find<QWidget>(step4, "Shape2");
  EXPECT_GE(Contrast(Find<QLabel>(step4, "lblPacifier")->palette().color(QPalette::WindowText),
                     fill->palette().color(QPalette::Window)),
            7.0);
}
