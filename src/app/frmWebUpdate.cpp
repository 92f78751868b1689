#include "app/frmWebUpdate.h"

#include "base/TextUtil.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/AppTexts.h"
#include "app/LookStyle.h"
#include "app/WorkNotice.h"
#include "base/DebugLog.h"
#include "base/DescriptionFile.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "webupdate/Download.h"
#include "webupdate/SelfUpdate.h"

namespace {

const QColor kLocalColour(255, 255, 255);
const QColor kRemoteColour(255, 192, 128);
// An installed copy belongs to the package manager, which alone may replace it.
const char* const kPackagedNote =
    QT_TRANSLATE_NOOP("frmWebUpdate", "Program updates come with the package manager.");

// Busy pointer for the lifetime of the object.
struct BusyPointer {
  BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyPointer() { QApplication::restoreOverrideCursor(); }
};

QGroupBox* Framed(QWidget* parent, const QString& title, QWidget* content, const QRect& at) {
  auto* frame = new QGroupBox(title, parent);
  frame->setGeometry(at);
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(content);
  return frame;
}

QPushButton* Button(QWidget* parent, const QString& caption, const QRect& at) {
  auto* button = new QPushButton(caption, parent);
  button->setGeometry(at);
  return button;
}

}  // namespace

frmWebUpdate::frmWebUpdate(IHost& host, QWidget* parent) : QDialog(parent), host_(host) {
  setWindowTitle(tr("Web Updates"));
  setFixedSize(640, 420);
  Grid_ = new QTableWidget(this);
  Grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  Grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid_->verticalHeader()->hide();
  Grid_->horizontalHeader()->setStretchLastSection(true);
  Grid_->setColumnCount(4);
  Grid_->setHorizontalHeaderLabels({tr("Filename"), tr("Date"), tr("Size"), tr("Location")});
  txtDescription_ = new QPlainTextEdit(this);
  txtDescription_->setReadOnly(true);
  Grid_->setAccessibleName(tr("Firmware"));
  txtDescription_->setAccessibleName(tr("Description"));
  Frame1_ = Framed(this, tr("Firmware"), Grid_, QRect(8, 8, 372, 292));
  Frame2_ = Framed(this, tr("Description"), txtDescription_, QRect(388, 8, 244, 330));
  lblSignature_ = new QLabel(this);
  lblSignature_->setObjectName("lblSignature");
  // Three lines: room for why the list could not be loaded.
  lblSignature_->setGeometry(12, 302, 368, 44);
  lblSignature_->setWordWrap(true);

  Shape1_ = new QFrame(this);
  Shape1_->setFrameShape(QFrame::Box);
  Shape1_->setGeometry(8, 348, 372, 22);
  Shape2_ = new QFrame(this);
  Shape2_->setAutoFillBackground(true);
  // Light enough that the black label over it stays readable where the bar has reached it.
  Shape2_->setPalette(QPalette(QColor(128, 176, 255)));
  SetLookPart(Shape2_, LookPart::BarFill);
  Shape2_->setGeometry(Shape1_->x(), Shape1_->y(), 0, Shape1_->height());
  lblPacifier_ = new QLabel(this);
  lblPacifier_->setObjectName("lblPacifier");
  lblPacifier_->setAlignment(Qt::AlignCenter);

  cmdDownload_ = Button(this, tr("Download"), QRect(8, 382, 100, 28));
  cmdRemove_ = Button(this, tr("Remove"), QRect(116, 382, 100, 28));
  cmdHelp_ = Button(this, tr("Help"), QRect(424, 382, 100, 28));
  cmdDone_ = Button(this, tr("Done"), QRect(532, 382, 100, 28));
  cmdDone_->setDefault(true);

  connect(cmdDownload_, &QPushButton::clicked, this, &frmWebUpdate::cmdDownload_Click);
  connect(cmdRemove_, &QPushButton::clicked, this, &frmWebUpdate::cmdRemove_Click);
  connect(cmdDone_, &QPushButton::clicked, this, &frmWebUpdate::cmdDone_Click);
  connect(cmdHelp_, &QPushButton::clicked, this, &frmWebUpdate::cmdHelp_Click);
  // A click on the row that is already current must show it too.
  connect(Grid_, &QTableWidget::currentCellChanged, this, [this] { ShowSelectedRow(); });
  connect(Grid_, &QTableWidget::cellClicked, this, [this] { ShowSelectedRow(); });
}

bool frmWebUpdate::Start(bool showFirst) {
  loading_ = true;
  if (gURL != gDefaultURL) {
    setWindowTitle(
        tr(" Web Updates [%1]").arg(QString::fromStdString(DomainName + DomainPath + DomainDir)));
  }
  QScreen* screen = parentWidget() ? parentWidget()->screen() : QApplication::primaryScreen();
  if (screen) move(screen->availableGeometry().center() - rect().center());
  cmdDownload_->setEnabled(false);
  cmdRemove_->setEnabled(false);
  lblPacifier_->setGeometry(Shape1_->geometry());
  lblPacifier_->raise();
  expectedSize_ = 0;
  HTTP_Progress(0);
  CatalogueResult result;
  {
    BusyPointer busy;
    // Closing is refused until the list is in: the fetch would go on behind a closed window.
    cmdDone_->setEnabled(false);
    if (showFirst) {
      txtDescription_->setPlainText(
          tr("Fetching the list of firmware from %1 ...").arg(QString::fromStdString(DomainName)));
      show();
      host_.Breathe();
    }
    result = LoadCatalogue(lists_, host_, [this](int bytes, int32_t) { HTTP_Progress(bytes); });
    LoadLocalFiles(lists_.Firmware, gProgramFolder);
    SortFirmwareList(lists_.Firmware);
    FillGrid();
    txtDescription_->clear();
    cmdDone_->setEnabled(true);
  }
  lblSignature_->setText(QString::fromStdString(TrustLabel(lists_.Trust)));
  ShowLoadFailure(result);
  if (lists_.Trust.State != TrustState::NotChecked) {
    lblSignature_->setToolTip(
        lists_.Trust.State == TrustState::Unverified
            ? tr("No public key is set (PUBLICKEY), so the catalogue's signature is not checked.")
            : tr("Catalogue: %1.")
                  .arg(QString::fromStdString(DescribeSignature(lists_.Trust.Check))));
  }
  if (result == CatalogueResult::TooManyRows)
    host_.Message(AppMessage(MessageKind::CatalogueTooLarge));
  if (result == CatalogueResult::BadPublicKey)
    host_.Message(AppMessage(MessageKind::CatalogueUntrusted, {lists_.FailureCause}));
  if (result == CatalogueResult::BadSignature) {
    host_.Message(
        AppMessage(MessageKind::CatalogueUntrusted, {DescribeSignature(lists_.Trust.Check)}));
  }
  loading_ = false;
  CloseIfAsked();
  host_.Breathe();
  bool endProgram = false;
  OfferProgramUpdate(endProgram);
  return endProgram;
}

void frmWebUpdate::ShowLoadFailure(CatalogueResult result) {
  const bool failed = result == CatalogueResult::BadPublicKey ||
                      result == CatalogueResult::Unreachable || result == CatalogueResult::Failed ||
                      result == CatalogueResult::NotCatalogue;
  if (!failed || lists_.FailureCause.empty()) return;
  // A message box has gone by the time the list shows; the line under it keeps the cause.
  const QString text = tr("The list of the site could not be loaded: %1.")
                           .arg(QString::fromStdString(EscapedForDisplay(lists_.FailureCause)));
  lblSignature_->setText(text);
  lblSignature_->setToolTip(text);
}

void frmWebUpdate::OfferProgramUpdate(bool& endProgram) {
  if (!CheckProgramVersions(lists_.Programs, OwnProgramVersion(), gProgramFolder, gBaseName)) {
    return;
  }
  if (ProgramInstalled()) {
    DebugLog(
        "Newer program files on the site; not offered: the package manager owns the "
        "installed program");
    // The status line over the bar says it until a transfer needs the line.
    lblPacifier_->setText(tr(kPackagedNote));
    return;
  }
  MsgAnswer answer = host_.Message(ProgramUpdateOffer(lists_.Programs, gBaseName));
  if (answer != MsgAnswer::Yes) return;
  bool installed = false;
  const bool shownBefore = isVisible();
  {
    Transfer transfer(*this);
    if (!transfer.Started()) return;
    host_.Breathe();
    // The download should be seen, even by an opener that has not shown the window yet.
    show();
    repaint();
    host_.Breathe();
    installed = InstallProgramUpdate(
        lists_.Programs, host_,
        [this](int bytes, int32_t expected) {
          expectedSize_ = expected;
          HTTP_Progress(bytes);
        },
        [this](const std::string& text) {
          lblPacifier_->setText(QString::fromStdString(text));
          lblPacifier_->repaint();
        });
  }
  if (installed) {
    endProgram = true;
    return;
  }
  host_.Message(AppMessage(MessageKind::ProgramUpdateFailed));
  if (!shownBefore) hide();
  expectedSize_ = 0;
  HTTP_Progress(0);
}

void frmWebUpdate::FillGrid() {
  const int count = static_cast<int>(lists_.Firmware.size());
  int keep = Grid_->currentRow();
  Grid_->blockSignals(true);
  Grid_->clearContents();
  Grid_->setRowCount(count);
  for (int i = 0; i < count; ++i) {
    const FirmwareEntry& entry = lists_.Firmware[i];
    QStringList cells = {QString::fromStdString(EscapedForDisplay(entry.BaseName)),
                         QString::fromStdString(entry.Date), QString::number(entry.Size),
                         entry.Local ? tr("Local") : tr("Remote")};
    for (int column = 0; column < 4; ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      item->setBackground(entry.Local ? kLocalColour : kRemoteColour);
      // Both row colours are light, whatever the window's text colour is.
      item->setForeground(QColor(Qt::black));
      Grid_->setItem(i, column, item);
    }
  }
  Grid_->resizeColumnsToContents();
  if (count > 0) Grid_->setCurrentCell(std::clamp(keep, 0, count - 1), 0);
  Grid_->blockSignals(false);
}

void frmWebUpdate::HTTP_Progress(int bytes) {
  ProgressFigures figures = HTTPProgressFigures(bytes, expectedSize_);
  lblPacifier_->setText(QString::fromStdString(figures.Label));
  Shape2_->resize(static_cast<int>(Shape1_->width() * figures.Fraction), Shape1_->height());
  host_.Breathe();
}

int frmWebUpdate::CurrentRow() const {
  return Grid_->currentRow() + 1;
}

void frmWebUpdate::SelectRow(int r) {
  Grid_->setCurrentCell(r - 1, 0);
  ShowSelectedRow();
}

void frmWebUpdate::EnableForRow(int r) {
  bool local =
      r >= 1 && r <= static_cast<int>(lists_.Firmware.size()) && lists_.Firmware[r - 1].Local;
  cmdDownload_->setEnabled(r >= 1 && !local);
  cmdRemove_->setEnabled(local);
}

bool frmWebUpdate::Busy() const {
  return loading_ || OperationScope::Current().has_value();
}

frmWebUpdate::Transfer::Transfer(frmWebUpdate& form)
    : form_(form),
      flags_(Operation::Downloading),
      downloadWas_(form.cmdDownload_->isEnabled()),
      removeWas_(form.cmdRemove_->isEnabled()) {
  if (!Started()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // The grid too: another row would offer Download or Remove again.
  for (QWidget* control :
       {static_cast<QWidget*>(form_.Grid_), static_cast<QWidget*>(form_.cmdDownload_),
        static_cast<QWidget*>(form_.cmdRemove_), static_cast<QWidget*>(form_.cmdDone_)}) {
    control->setEnabled(false);
  }
}

frmWebUpdate::Transfer::~Transfer() {
  if (!Started()) return;
  form_.Grid_->setEnabled(true);
  form_.cmdDone_->setEnabled(true);
  // As they were: a program update that failed before any row was chosen offers only Done.
  form_.cmdDownload_->setEnabled(downloadWas_);
  form_.cmdRemove_->setEnabled(removeWas_);
  QApplication::restoreOverrideCursor();
  form_.CloseIfAsked();
}

void frmWebUpdate::ShowSelectedRow() {
  if (Busy()) return;
  int r = CurrentRow();
  if (r <= 0 || r > static_cast<int>(lists_.Firmware.size())) return;
  expectedSize_ = 0;
  HTTP_Progress(0);
  txtDescription_->setPlainText(DescriptionForDisplay(lists_.Firmware[r - 1].Description));
  EnableForRow(r);
}

void frmWebUpdate::cmdDownload_Click() {
  int r = CurrentRow();
  if (Busy() || r <= 0 || r > static_cast<int>(lists_.Firmware.size())) return;
  DownloadOutcome outcome;
  {
    Transfer transfer(*this);
    if (!transfer.Started()) return;
    WorkNotice notice(this);
    FirmwareEntry& entry = lists_.Firmware[r - 1];
    outcome = DownloadFirmware(entry, host_, [this](int bytes, int32_t expected) {
      expectedSize_ = expected;
      HTTP_Progress(bytes);
    });
    const QString file = QString::fromStdString(entry.FileName());
    notice.Ended(outcome.Saved ? tr("%1 is downloaded.").arg(file)
                               : tr("%1 could not be downloaded.").arg(file));
    if (outcome.Saved) {
      FillGrid();
    } else if (!outcome.Reported) {
      host_.Message(AppMessage(MessageKind::DownloadFailed, {entry.FileName(), outcome.Reason}));
    }
  }
  r = CurrentRow();
  if (r >= 1) {
    txtDescription_->setPlainText(DescriptionForDisplay(lists_.Firmware[r - 1].Description));
  }
  EnableForRow(r);
  // Only a file that is now in the program folder is complete.
  lblPacifier_->setText(outcome.Saved ? tr("Download Complete") : tr("Download Failed"));
  lblPacifier_->repaint();
}

void frmWebUpdate::cmdRemove_Click() {
  int r = CurrentRow();
  if (Busy() || r <= 0 || r > static_cast<int>(lists_.Firmware.size())) return;
  cmdRemove_->setEnabled(false);
  const HostMessage question =
      AppMessage(lists_.Firmware[r - 1].Online ? MessageKind::RemoveQuestion
                                               : MessageKind::RemoveUnavailableQuestion);
  if (host_.Message(question) == MsgAnswer::Yes) {
    RemoveFailure failure;
    const bool removed = RemoveFirmware(lists_.Firmware, static_cast<size_t>(r - 1), failure);
    if (removed) {
      txtDescription_->clear();
      int count = static_cast<int>(lists_.Firmware.size());
      if (r > count && count > 0) Grid_->setCurrentCell(count - 1, 0);
      FillGrid();
    }
    if (!failure.file.empty()) {
      host_.Message(AppMessage(MessageKind::RemoveFailed, {failure.file, failure.reason}));
    }
  }
  cmdRemove_->setEnabled(true);
  ShowSelectedRow();
  if (lists_.Firmware.empty()) {
    cmdRemove_->setEnabled(false);
    cmdDownload_->setEnabled(false);
  }
}

void frmWebUpdate::cmdDone_Click() {
  accept();
}

void frmWebUpdate::cmdHelp_Click() {
  ShowHelp("WebUpdates.htm");
}

void frmWebUpdate::done(int result) {
  // Escape, Alt+F4 or the title bar's close button while the list loads or a file transfers.
  if (Busy()) return;
  QTableWidgetItem* cell = Grid_->currentRow() >= 0 ? Grid_->item(Grid_->currentRow(), 0) : nullptr;
  firmwareText_ = cell ? cell->text().toStdString() : "";
  QDialog::done(result);
}

void frmWebUpdate::CloseWhenIdle() {
  closeWhenIdle_ = true;
  CloseIfAsked();
}

void frmWebUpdate::CloseIfAsked() {
  if (!closeWhenIdle_ || Busy()) return;
  // Queued: the work that just ended unwinds first, and a window shown for its load is in exec
  // by then.
  QTimer::singleShot(0, this, [this] { done(QDialog::Rejected); });
}

QString frmWebUpdate::DescriptionText() const {
  return txtDescription_->toPlainText();
}

QString frmWebUpdate::PacifierText() const {
  return lblPacifier_->text();
}

QString frmWebUpdate::SignatureText() const {
  return lblSignature_->text();
}

int frmWebUpdate::BarFill() const {
  return Shape2_->width();
}

int frmWebUpdate::BarWidth() const {
  return Shape1_->width();
}
