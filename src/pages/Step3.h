#pragma once
// The firmware page: choose an image file, see its description and the status of file and hand
// control, fetch files through the Web Updates window.
#include <functional>
#include <string>

#include "pages/PageBase.h"

class QDragEnterEvent;
class QDropEvent;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class Step3 : public PageBase {
  Q_DECLARE_TR_FUNCTIONS(Step3)

 public:
  // Opens the Web Updates window and returns the base name chosen there.
  using WebUpdatesFn = std::function<std::string(QWidget* parent)>;
  // Asks the user for a firmware file anywhere; empty when none was chosen.
  using OpenFileFn = std::function<QString(QWidget* parent)>;

  Step3();
  void BeforePageShow(CWizard& wizard, int16_t previousStep) override;
  void BeforePageHide(CWizard& wizard, int16_t nextStep, bool& cancel) override;

  // The program passes ShowWebUpdates; tests pass a stand-in.
  void SetWebUpdates(WebUpdatesFn fn) { webUpdates_ = std::move(fn); }
  // The desktop's file dialog unless a test puts a stand-in here.
  void SetOpenFile(OpenFileFn fn) { openFile_ = std::move(fn); }

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillFirmwareList(const std::string& select);
  void lstFirmware_Click();
  void cmdRefresh_Click();
  void cmdWebUpdate_Click();
  void cmdOpenFile_Click();
  void cmdOpenFolder_Click();
  // Copies the file into the program folder and selects it there.
  void TakeFirmwareFile(const QString& path);
  // The buttons that start work; off while one runs.
  void EnableButtons(bool enabled);

  QListWidget* lstFirmware_;
  QPlainTextEdit* txtFirmware_;
  QPlainTextEdit* txtStatus_;
  QPushButton* cmdRefresh_;
  QPushButton* cmdWebUpdate_;
  QPushButton* cmdOpenFile_;
  QPushButton* cmdOpenFolder_;
  WebUpdatesFn webUpdates_;
  OpenFileFn openFile_;
};
