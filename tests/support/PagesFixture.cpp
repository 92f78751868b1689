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

void PageHost::Progress(const std::string& label, double fraction, const std::string& caption) {
  ScriptedHost::Progress(label, fraction, caption);
  TheQtHost().Progress(label, fraction, caption);
}

void PagesTest::SetUp() {
  ASSERT_TRUE(dir.isValid());
  oldCwd = QDir::currentPath();
  // The debug log lands in the working directory.
  QDir::setCurrent(dir.path());
  SetProgramPaths(dir.path().toStdString(), "PadFlasher");
  gComPort.clear();
  gFirmwareFile.clear();
  gFileChecksum.clear();
  gVersions.clear();
  gQueryVerify = false;
  gHcType = "Unknown";
  gHcMajor = gHcMinor = 0;
  gHcChecksum.clear();
  gProgramming = gVerifying = gCancelProgramming = gCancelVerify = false;
  sim = std::make_unique<SimLink>();
  SetLinkServices(sim.get(), sim.get(), &host);
}

void PagesTest::TearDown() {
  if (controller) {
    TheQtHost().SetWizard(nullptr);
    Wizard().SetUnloadHandler({});
  }
  controller.reset();
  gWizardController = nullptr;
  SetLinkServices(nullptr, nullptr, nullptr);
  QDir::setCurrent(oldCwd);
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

void PagesTest::WriteImage(const std::string& name, uint16_t code, int size) {
  std::vector<uint8_t> bytes(kImageSize, 0xFF);
  // Data in runs of seven blocks all over the written ranges (blocks 256 to 383 of a bank are
  // never written), so programming has many runs and progress steps.
  for (int i = 0; i < kImageSize; ++i) {
    const int block = (i % kBankSize) / kBlockSize;
    if (block % 8 != 7 && (block < 256 || block >= 384)) {
      bytes[i] = static_cast<uint8_t>(i * 31 + code);
    }
  }
  bytes[0xFFE0] = 0x55;
  bytes[0xFFE1] = 0xAA;
  bytes[0xFFFE] = code & 0xFF;
  bytes[0xFFFF] = code >> 8;
  bytes.resize(size, 0xFF);
  WriteFile(name, std::string(bytes.begin(), bytes.end()));
}

void PagesTest::WriteFile(const std::string& name, const std::string& content) {
  QFile file(dir.filePath(QString::fromStdString(name)));
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
