// The welcome and port pages inside the real wizard window.
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include "FakeSerialTree.h"
#include "PagesFixture.h"
#include "pages/Step1.h"
#include "pages/Step2.h"
#include "programmer/Link.h"
#include "startup/Settings.h"

namespace {

QStringList Items(QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

}  // namespace

TEST_F(PagesTest, WelcomeTextsAreWrittenOnEveryShow) {
  StartWizard();
  auto* heading = Find<QLabel>(step1, "Label1_0");
  EXPECT_EQ(heading->text(), "Welcome to the Corvane Instruments\nHand Control Update Program");
  EXPECT_EQ(Find<QLabel>(step1, "Label1_2")->text(), "Press Next to continue");
  heading->setText("design caption");
  Click(WizardButton::Next);
  Click(WizardButton::Back);
  ASSERT_EQ(Wizard().CurrentStep(), 1);
  EXPECT_EQ(heading->text(), "Welcome to the Corvane Instruments\nHand Control Update Program");
}

TEST_F(PagesTest, PortListOffersNoneAndTheExistingPortsUpToCom16) {
  struct Case {
    std::set<std::string> present;
    QStringList expected;
  };
  const Case cases[] = {
      {{}, {"None"}},
      {{"COM1", "COM3", "COM20"}, {"None", "COM1", "COM3"}},
      {{"COM16", "COM2", "COM10", "COM17", "COM0"}, {"None", "COM2", "COM10", "COM16"}},
  };
  StartWizard();
  for (const Case& c : cases) {
    ports = c.present;
    Click(WizardButton::Next);
    ASSERT_EQ(Wizard().CurrentStep(), 2);
    EXPECT_EQ(Items(Find<QComboBox>(step2, "cboComPort")), c.expected);
    EXPECT_EQ(Find<QComboBox>(step2, "cboComPort")->currentIndex(), 0);
    Click(WizardButton::Back);
  }
}

TEST_F(PagesTest, StoredPortIsPreselectedWhateverItsCaseAndAMissingOneLeavesNone) {
  StartWizard();
  auto* list = Find<QComboBox>(step2, "cboComPort");
  const std::pair<std::string, QString> cases[] = {
      {"com3", "COM3"}, {"COM1", "COM1"}, {"COM5", "None"}, {"", "None"}};
  for (const auto& [stored, shown] : cases) {
    gComPort = stored;
    Click(WizardButton::Next);
    EXPECT_EQ(list->currentText(), shown) << stored;
    Click(WizardButton::Back);
  }
}

TEST_F(PagesTest, NextOpensTheChosenPortAndIdentifiesTheHandControl) {
  WriteImage("a.bin", 0x1234);
  StartWizard();
  NextTo(2);
  auto* list = Find<QComboBox>(step2, "cboComPort");
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);  // COM1
  QTest::keyClick(list, Qt::Key_Down);  // COM3
  ASSERT_EQ(list->currentText(), "COM3");
  Click(WizardButton::Next);
  EXPECT_EQ(Wizard().CurrentStep(), 3);
  EXPECT_EQ(gComPort, "COM3");
  EXPECT_TRUE(sim->IsOpen());
  EXPECT_FALSE(Wizard().Frozen());
  const auto& log = sim->Device().CommandLog();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[0], "@@100XXXXXX");
  EXPECT_EQ(log[1], "@@3XXXXXXXX");  // identification after a successful presence test
  EXPECT_EQ(gHcChecksum, "FFFF");    // an erased hand control reports its blank code
}

TEST_F(PagesTest, SilentHandControlKeepsThePageWithThePortStillChosen) {
  hcsim::Faults silent;
  silent.silent = true;
  sim = AttachSimLink(host, silent);
  StartWizard();
  NextTo(2);
  auto* list = Find<QComboBox>(step2, "cboComPort");
  list->setCurrentIndex(1);
  Click(WizardButton::Next);
  EXPECT_EQ(Wizard().CurrentStep(), 2);
  EXPECT_EQ(host.helpShown, 1);
  EXPECT_FALSE(sim->IsOpen());
  EXPECT_FALSE(Wizard().Frozen());
  EXPECT_TRUE(Button(WizardButton::Next)->isEnabled());
  EXPECT_EQ(list->currentText(), "COM1");
}

TEST_F(PagesTest, GoingBackAndForthKeepsOrRebuildsTheList) {
  WriteImage("a.bin", 0x1234);
  gComPort = "COM3";
  StartWizard();
  NextTo(2);
  auto* list = Find<QComboBox>(step2, "cboComPort");
  list->setCurrentIndex(1);  // the user picks COM1 instead
  Click(WizardButton::Next);
  ASSERT_EQ(Wizard().CurrentStep(), 3);
  ports.insert("COM2");  // a new adapter shows up
  Click(WizardButton::Back);
  EXPECT_EQ(Items(list), QStringList({"None", "COM1", "COM3"})) << "back from page 3 keeps it";
  EXPECT_EQ(list->currentText(), "COM1");
  EXPECT_TRUE(sim->IsOpen());

  Click(WizardButton::Back);
  EXPECT_FALSE(sim->IsOpen()) << "the port closes on the way back to the welcome page";
  EXPECT_EQ(gComPort, "COM1");
  Click(WizardButton::Next);
  EXPECT_EQ(Items(list), QStringList({"None", "COM1", "COM2", "COM3"}));
  EXPECT_EQ(list->currentText(), "COM1");
}

TEST_F(PagesTest, ChoosingNoneClearsThePortAndGoesOn) {
  gComPort = "COM3";
  StartWizard();
  NextTo(2);
  Find<QComboBox>(step2, "cboComPort")->setCurrentIndex(0);
  Click(WizardButton::Next);
  EXPECT_EQ(Wizard().CurrentStep(), 3);
  EXPECT_EQ(gComPort, "");
  EXPECT_TRUE(sim->Device().CommandLog().empty());
}

// The line under the list, against made-up /dev and /sys trees: what a user recognises of the
// device a name leads to, always on one line.
TEST_F(PagesTest, DeviceLineShowsWhereTheChosenNameLeads) {
  FakeSerialTree tree;
  tree.UsbDevice("sys/devices/usb1/1-1", "0403", "6001", "FTDI", "FT232R USB UART", "A123");
  tree.Tty("ttyUSB0", "../../../devices/usb1/1-1/1-1:1.0/ttyUSB0");
  tree.ById("usb-FTDI_FT232R_USB_UART_A123-if00-port0", "../../ttyUSB0");
  tree.Link(tree.Path("dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A123-if00-port0"),
            "prog/ports/COM3");
  tree.UsbDevice("sys/devices/usb1/1-2", "2341", "0043", "Arduino", "", "7543");
  tree.Tty("ttyACM0", "../../../devices/usb1/1-2/1-2:1.0");
  const std::string longName(300, 'W');
  tree.UsbDevice("sys/devices/usb1/1-3", "067b", "2303", "Prolific", longName.c_str(), "");
  tree.Tty("ttyUSB1", "../../../devices/usb1/1-3/1-3:1.0/ttyUSB1");
  tree.Tty("ttyS0", "../../../devices/platform/serial8250", "4");
  tree.Link("/dev/null", "prog/ports/COM2");  // a simulator's pseudo-terminal, say
  ports = {"COM1", "COM2", "COM3", "COM6", "COM13"};
  StartWizard();
  step2->SetPortRoots(tree.Roots());
  NextTo(2);
  auto* line = Find<QLabel>(step2, "lblDevice");
  auto* list = Find<QComboBox>(step2, "cboComPort");
  EXPECT_EQ(line->text(), "");
  const struct {
    QString name, shown;
    std::string toolTip;
  } cases[] = {
      // A USB adapter by its product and serial number, through its by-id link.
      {"COM3", QString::fromStdString("FT232R USB UART, serial A123, " + tree.Path("dev/ttyUSB0")),
       tree.Path("prog/ports/COM3")},
      // Only a serial number: still no "Device:", the serial tells the adapter apart.
      {"COM13", QString::fromStdString("serial 7543, " + tree.Path("dev/ttyACM0")),
       tree.Path("dev/ttyACM0")},
      // A built-in UART and a device nothing is known about: the path alone.
      {"COM1", QString::fromStdString("Device: " + tree.Path("dev/ttyS0")), tree.Path("dev/ttyS0")},
      {"COM2", "Device: /dev/null", tree.Path("prog/ports/COM2")},
  };
  // The temporary folder makes the paths long: the contents are checked on a line wide enough.
  const int pageWidth = line->width();
  line->resize(3000, line->height());
  for (const auto& c : cases) {
    list->setCurrentText(c.name);
    ASSERT_EQ(list->currentText(), c.name);
    EXPECT_EQ(line->text(), c.shown) << c.name.toStdString();
    EXPECT_EQ(line->toolTip().toStdString(), c.toolTip);
  }
  // On the page's own width, a hint longer than the line is cut in the middle: one line, the
  // device at its end.
  line->resize(pageWidth, line->height());
  list->setCurrentText("COM6");
  ASSERT_EQ(list->currentText(), "COM6");
  EXPECT_TRUE(line->text().contains(QChar(0x2026))) << line->text().toStdString();
  EXPECT_TRUE(line->text().endsWith("ttyUSB1")) << line->text().toStdString();
  EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), line->width());
  EXPECT_FALSE(line->wordWrap());
  list->setCurrentIndex(0);
  EXPECT_EQ(line->text(), "");
}

TEST_F(PagesTest, KeysOnAPageDriveTheWizard) {
  StartWizard();
  step1->setFocus();
  QTest::keyRelease(step1, Qt::Key_Return);
  ASSERT_EQ(Wizard().CurrentStep(), 1) << "a release whose press went to a closing box";
  QTest::keyClick(step1, Qt::Key_Return);
  ASSERT_EQ(Wizard().CurrentStep(), 2) << "Enter runs the default button, Next";
  auto* list = Find<QComboBox>(step2, "cboComPort");
  QTest::keyClick(list, Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(Wizard().CurrentStep(), 1);
  step1->setFocus();
  QTest::keyClick(step1, Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier);
  EXPECT_EQ(Wizard().CurrentStep(), 1) << "Shift+Alt+Right is not a wizard key";
  QTest::keyClick(step1, Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(Wizard().CurrentStep(), 2);
  // Esc asks the controller, which asks the user: No keeps the window.
  host.Script({MsgAnswer::No});
  QTest::keyClick(list, Qt::Key_Escape);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Are you sure you want to Exit the program?");
  EXPECT_EQ(Wizard().CurrentStep(), 2);
}
