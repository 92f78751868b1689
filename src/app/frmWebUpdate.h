#pragma once
// The Web Updates window: the site's catalogue and the local firmware files in one grid, with
// Download, Remove, Help and Done, a progress display, and the offer of newer program files.
#include <QDialog>
#include <string>

#include "base/Host.h"
#include "programmer/OperationScope.h"
#include "webupdate/Catalogue.h"

class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

class frmWebUpdate : public QDialog {
  Q_OBJECT

 public:
  explicit frmWebUpdate(IHost& host, QWidget* parent = nullptr);

  // The window start sequence. True when a program update has been installed and the program
  // must end now. showFirst: the window appears before it loads, so the fetch can be followed
  // (the program's way; tests fill it unseen).
  bool Start(bool showFirst = false);

  // The base name of the firmware selected when the window closed.
  std::string FirmwareText() const { return firmwareText_; }
  void DeviceName(const std::string& text) { firmwareText_ = text; }

  void FillGrid();
  // Size of the download under way (0: none), the base of HTTP_Progress's figures.
  void ExpectedSize(int32_t size) { expectedSize_ = size; }
  void HTTP_Progress(int bytes);
  void ShowSelectedRow();
  void cmdDownload_Click();
  void cmdRemove_Click();
  void cmdDone_Click();
  void cmdHelp_Click();

  // Grid row r (1 and up; 0 is the header) made current, as a click on it would.
  void SelectRow(int r);
  int CurrentRow() const;
  const WebLists& Lists() const { return lists_; }
  QTableWidget* Grid() const { return Grid_; }
  QPushButton* DownloadButton() const { return cmdDownload_; }
  QPushButton* RemoveButton() const { return cmdRemove_; }
  QPushButton* DoneButton() const { return cmdDone_; }
  QString DescriptionText() const;
  QString PacifierText() const;
  // Whether the catalogue was verified, shown under the grid.
  QString SignatureText() const;
  // Width of the bar fill against the width of its outline.
  int BarFill() const;
  int BarWidth() const;

  void done(int result) override;
  // Closes the window now, or as soon as the list or file under way is in (the program is
  // being ended from outside).
  void CloseWhenIdle();

 private:
  // A download or program update under way: nothing that starts another transfer, removes a
  // file or closes the window can be used meanwhile.
  void CloseIfAsked();
  class Transfer {
   public:
    explicit Transfer(frmWebUpdate& form);
    ~Transfer();
    bool Started() const { return flags_.Started(); }

   private:
    frmWebUpdate& form_;
    OperationScope flags_;
  };

  void OfferProgramUpdate(bool& endProgram);
  void EnableForRow(int r);
  bool Busy() const;

  IHost& host_;
  WebLists lists_;
  int32_t expectedSize_ = 0;
  bool loading_ = false;
  bool closeWhenIdle_ = false;
  std::string firmwareText_;

  QGroupBox* Frame1_;
  QGroupBox* Frame2_;
  QTableWidget* Grid_;
  QPlainTextEdit* txtDescription_;
  QPushButton* cmdDownload_;
  QPushButton* cmdRemove_;
  QPushButton* cmdDone_;
  QPushButton* cmdHelp_;
  QFrame* Shape1_;
  QFrame* Shape2_;
  QLabel* lblPacifier_;
  QLabel* lblSignature_;
};
