#include "PagesFixture.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <vector>

#include "app/QtHost.h"
#include "pages/Step1.h"
#include "pages/Step2.h"
#include "pages/Step3.h"
#include "pages/Step4.h"
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "startup/Versions.h"
#include "wizard/CWizardWindow.h"

void PageHost::Progress(LinkPhase phase, double fraction) {
  ScriptedHost::Progress(phase, fraction);
  TheQtHost().Progress(phase, fraction);
}

void PagesTest::SetUp() {
  // The debug log lands in the temporary folder, which is also the program folder.
  TempFolderTest::SetUp();
  ResetLinkState();
  SetProgramPaths(Folder(), "PadFlasher");
  sim = AttachSimLink(host);
}

void PagesTest::TearDown() {
  if (controller) {
    TheQtHost().SetWizard(nullptr);
    Wizard().SetUnloadHandler({});
  }
  controller.reset();
  gWizardController = nullptr;
  ResetLinkState();
  TempFolderTest::TearDown();
}

void PagesTest::StartWizard() {
  controller = std::make_unique<CWizardController>(host, [this] {
    step1 = new Step1;
    step2 = new Step2;
    step2->SetPortProbe([this](const std::string& name) { return ports.count(name) > 0; });
    step3 = new Step3;
    step3->SetWebUpdates([this](QWidget*) {
      ++webOpened;
      return webChoice;
    });
    step4 = new Step4;
    return std::vector<IWizardPage*>{step1, step2, step3, step4};
  });
  gWizardController = controller.get();
  TheQtHost().SetWizard(&Wizard());
  // The window's unload would end the test program.
  Wizard().SetUnloadHandler([] {});
  ASSERT_EQ(Wizard().CurrentStep(), 1);
}

QPushButton* PagesTest::Button(WizardButton which) {
  auto* window = dynamic_cast<CWizardWindow*>(Wizard().Window());
  return window ? window->Button(which) : nullptr;
}

void PagesTest::Click(WizardButton which) {
  QPushButton* button = Button(which);
  ASSERT_NE(button, nullptr);
  QTest::mouseClick(button, Qt::LeftButton);
}

void PagesTest::NextTo(int page) {
  while (Wizard().CurrentStep() < page) {
    const int before = Wizard().CurrentStep();
    Click(WizardButton::Next);
    if (Wizard().CurrentStep() == before) return;
  }
}

void PagesTest::WriteImage(const std::string& name, uint16_t code, int size, int run, int gap) {
  // The code seeds the data, so images of different codes differ in every data block.
  auto image = testimage::MakeImage(testimage::Runs(run, gap), code, code);
  ASSERT_TRUE(image);
  image->resize(size, '\xFF');
  WriteFile(name, *image);
}

void PagesTest::WriteFile(const std::string& name, const std::string& content) {
  QFile file(FilePath(QString::fromStdString(name)));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(content.data(), static_cast<qint64>(content.size())),
            static_cast<qint64>(content.size()));
}

void PagesTest::KnowCode(const std::string& code, int major, int minor) {
  VersionEntry entry;
  entry.Status = "A";
  entry.TypeName = "Standard";
  entry.Checksum = code;
  entry.Major = static_cast<int16_t>(major);
  entry.Minor = static_cast<int16_t>(minor);
  gVersions.push_back(entry);
}
