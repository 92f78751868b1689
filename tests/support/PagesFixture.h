#pragma once
// The real wizard window with the program's pages, offscreen, over a simulated hand control on
// virtual time. Questions are answered by script; progress reaches the page the way the
// window program's host delivers it.
#include <gtest/gtest.h>

#include <QDir>
#include <QPushButton>
#include <memory>
#include <set>
#include <string>

#include "LinkState.h"
#include "ProgramState.h"
#include "ScriptedHost.h"
#include "SimLink.h"
#include "TempFolder.h"
#include "TestImage.h"
#include "app/CWizardController.h"
#include "wizard/CWizard.h"

class Step1;
class Step2;
class Step3;
class Step4;

// Records like ScriptedHost and also draws progress on the page and the caption.
class PageHost : public ScriptedHost {
 public:
  void Progress(LinkPhase phase, double fraction) override;
};

class PagesTest : public TempFolderTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Builds the controller with the four pages and starts the wizard on page 1.
  void StartWizard();
  CWizard& Wizard() { return controller->WizardHandle(); }
  QPushButton* Button(WizardButton which);
  // A user's click on a wizard button.
  void Click(WizardButton which);
  // Steps forward with Next until the wizard is on the given page (or refuses).
  void NextTo(int page);

  // A firmware image file in the program folder: valid signature, the given code, data in runs
  // of `run` blocks with `gap` erased ones between them (by default in most blocks, with many
  // runs and progress steps), cut or padded to size.
  void WriteImage(const std::string& name, uint16_t code, int size = testimage::kImageSize,
                  int run = 7, int gap = 1);
  void WriteFile(const std::string& name, const std::string& content);
  // Lists the code in the versions table.
  void KnowCode(const std::string& code, int major, int minor);

  template <class T>
  T* Find(QWidget* page, const char* name) {
    T* widget = page->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  SavedProgramState saved;
  std::unique_ptr<SimLink> sim;
  PageHost host;
  std::set<std::string> ports = {"COM1", "COM3", "COM20"};
  std::string webChoice;  // what the Web Updates stand-in returns
  int webOpened = 0;
  std::unique_ptr<CWizardController> controller;
  Step1* step1 = nullptr;
  Step2* step2 = nullptr;
  Step3* step3 = nullptr;
  Step4* step4 = nullptr;
};
