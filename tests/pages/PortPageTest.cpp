// The welcome and port pages inside the real wizard window.
#include <QComboBox>
#include <QLabel>
#include <QTest>

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
  sim = std::make_unique<SimLink>(silent);
  SetLinkServices(sim.get(), sim.get(), &host);
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

TEST_F(PagesTest, DeviceLineShowsWhereTheChosenNameLeads) {
  ASSERT_TRUE(QDir(dir.path()).mkpath("ports"));
  ASSERT_TRUE(QFile::link("/dev/null", dir.filePath("ports/COM3")));
  StartWizard();
  NextTo(2);
  auto* device = Find<QLabel>(step2, "lblDevice");
  auto* list = Find<QComboBox>(step2, "cboComPort");
  EXPECT_EQ(device->text(), "");
  list->setCurrentIndex(2);  // COM3
  EXPECT_EQ(device->text(), "Device: /dev/null");
  EXPECT_EQ(device->toolTip(), dir.filePath("ports/COM3"));
  list->setCurrentIndex(0);
  EXPECT_EQ(device->text(), "");
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
