#include "pages/Step3.h"

#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <vector>

#include "app/PageLook.h"
#include "base/AtomicFile.h"
#include "base/DebugLog.h"
#include "base/DescriptionFile.h"
#include "base/TextUtil.h"
#include "pages/FirmwareImport.h"
#include "pages/PageTexts.h"
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "programmer/LinkTexts.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "wizard/CWizard.h"

namespace {

const char* const kDetermining = QT_TRANSLATE_NOOP("Step3", "Determining Status ...");
// Beside its shown text, each list entry keeps the file's name as the folder holds it: bytes
// that need not be valid UTF-8, which the shown text cannot carry.
constexpr int kFileNameRole = Qt::UserRole;

std::string ProgramFolderFile(const std::string& name) {
  return gProgramFolder + "/" + name;
}

std::string FileNameOf(const QListWidgetItem* item) {
  return item->data(kFileNameRole).toByteArray().toStdString();
}

// Image files: names ending in ".bin" in any case, in plain character-code order.
std::vector<std::string> FirmwareFiles() {
  std::vector<std::string> names = FileNamesIn(gProgramFolder);
  std::erase_if(names, [](const std::string& name) { return !EndsWithNoCase(name, ".bin"); });
  return names;
}

QString ChooseFirmwareFile(QWidget* parent) {
  // Where the user found the last one; at first where browsers put what they fetch.
  static QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
  const QString path =
      QFileDialog::getOpenFileName(parent, Step3::tr("Open Firmware File"), folder,
                                   Step3::tr("Firmware images (*.bin *.BIN);;All files (*)"));
  if (!path.isEmpty()) folder = QFileInfo(path).absolutePath();
  return path;
}

// The one local firmware file being dragged, or empty.
QString DraggedFirmwareFile(const QMimeData* mime) {
  if (!mime->hasUrls() || mime->urls().size() != 1 || !mime->urls().front().isLocalFile())
    return {};
  const QString path = mime->urls().front().toLocalFile();
  return path.endsWith(".bin", Qt::CaseInsensitive) ? path : QString();
}

}  // namespace

Step3::Step3() : PageBase("Step3", 6960, 2724) {
  auto* heading = new QLabel(tr("Choose Firmware or ....."), this);
  heading->setObjectName("Label1");
  heading->setGeometry(TwipsRect(120, 120, 1692, 252));
  QFont headingFont = heading->font();
  headingFont.setPixelSize(10);  // the whole caption, dots included, within its design width
  heading->setFont(headingFont);

  cmdWebUpdate_ = new QPushButton(tr("Download via the Web"), this);
  cmdWebUpdate_->setObjectName("cmdWebUpdate");
  cmdWebUpdate_->setGeometry(TwipsRect(2160, 120, 2292, 252));
  StyleWizardButton(cmdWebUpdate_);
  FitText(heading, cmdWebUpdate_->x() - 4);
  FitText(cmdWebUpdate_);

  lstFirmware_ = new QListWidget(this);
  lstFirmware_->setObjectName("lstFirmware");
  lstFirmware_->setGeometry(TwipsRect(120, 360, 4332, 1092));
  lstFirmware_->setSelectionMode(QAbstractItemView::SingleSelection);
  setFocusProxy(lstFirmware_);
  heading->setBuddy(lstFirmware_);
  // A list view reads only its own name; the label is its relation.
  lstFirmware_->setAccessibleName(heading->text());

  cmdOpenFile_ = new QPushButton(tr("Open firmware file..."), this);
  cmdOpenFile_->setObjectName("cmdOpenFile");
  cmdOpenFile_->setGeometry(TwipsRect(120, 1500, 2100, 252));
  StyleWizardButton(cmdOpenFile_);
  FitText(cmdOpenFile_);
  cmdOpenFolder_ = new QPushButton(tr("Show program folder"), this);
  cmdOpenFolder_->setObjectName("cmdOpenFolder");
  cmdOpenFolder_->setGeometry(TwipsRect(2352, 1500, 2100, 252));
  StyleWizardButton(cmdOpenFolder_);
  FitText(cmdOpenFolder_);
  setAcceptDrops(true);

  txtFirmware_ = MakeTextBox(this, "txtFirmware", TwipsRect(120, 1800, 4332, 852));
  txtFirmware_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  txtFirmware_->setAccessibleName(tr("Firmware description"));
  txtStatus_ = MakeTextBox(this, "txtStatus", TwipsRect(4680, 120, 2172, 2172));
  txtStatus_->setAccessibleName(tr("Status"));

  cmdRefresh_ = new QPushButton(tr("Refresh Status"), this);
  cmdRefresh_->setObjectName("cmdRefresh");
  cmdRefresh_->setGeometry(TwipsRect(4680, 2388, 2172, 252));
  StyleWizardButton(cmdRefresh_);
  FitText(cmdRefresh_);

  auto* line = new QFrame(this);
  line->setObjectName("Line1");
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(Twips(4560) - 1, Twips(120), 3, Twips(2520));

  connect(lstFirmware_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) lstFirmware_Click();
  });
  connect(cmdRefresh_, &QPushButton::clicked, this, [this] { cmdRefresh_Click(); });
  connect(cmdWebUpdate_, &QPushButton::clicked, this, [this] { cmdWebUpdate_Click(); });
  connect(cmdOpenFile_, &QPushButton::clicked, this, [this] { cmdOpenFile_Click(); });
  connect(cmdOpenFolder_, &QPushButton::clicked, this, [this] { cmdOpenFolder_Click(); });
  // Only while the page shows: a hidden widget's shortcut does not fire.
  connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this,
          [this] { cmdOpenFile_Click(); });
  WatchKeys();
}

void Step3::FillFirmwareList(const std::string& select) {
  lstFirmware_->clear();
  int match = -1;
  for (const std::string& name : FirmwareFiles()) {
    // The name itself before another that differs only in case (a.bin beside A.BIN).
    if (name == select || (match < 0 && EqualsNoCaseAscii(name, select)))
      match = lstFirmware_->count();
    auto* item = new QListWidgetItem(QString::fromStdString(name), lstFirmware_);
    item->setData(kFileNameRole, QByteArray::fromStdString(name));
  }
  if (lstFirmware_->count() == 0) return;
  lstFirmware_->setCurrentRow(0);
  if (match > 0) lstFirmware_->setCurrentRow(match);
}

void Step3::lstFirmware_Click() {
  FrozenScope frozen(Wizard());
  gFirmwareFile = FileNameOf(lstFirmware_->currentItem());
  const std::string path = ProgramFolderFile(gFirmwareFile);
  const ImageLoadResult loaded = LoadFirmwareFile(path);
  const std::optional<HostMessage> error = FirmwareLoadMessage(loaded, LastImageReadProblem());
  std::string text = error ? MessageText(*error) + "\r\n\r\n" : "";

  // The description file: the image's name with its last four characters replaced by ".txt".
  const std::string description =
      FindFileNoCase(gProgramFolder, gFirmwareFile.substr(0, gFirmwareFile.size() - 4) + ".txt");
  std::string held, why;
  if (description.empty()) {
    text.clear();
  } else if (!ReadDescriptionFile(description, held, why)) {
    // A FIFO or a giant file under its name is not shown; the load error still is.
    DebugLog("Description file " + description + " not shown: " + why);
  }
  ShowNow(txtFirmware_, text + DescriptionForDisplay(held).toStdString());
  ShowNow(txtStatus_, tr(kDetermining));
  ShowNow(txtStatus_, BuildStatusText());
}

void Step3::cmdRefresh_Click() {
  FrozenScope frozen(Wizard());
  EnableButtons(false);
  // Files put into the folder or taken out since the page was entered show; the choice stays.
  const QListWidgetItem* selected = lstFirmware_->currentItem();
  FillFirmwareList(selected ? FileNameOf(selected) : "");
  ShowNow(txtStatus_, tr(kDetermining));
  RefreshHandControlInfo();
  ShowNow(txtStatus_, BuildStatusText());
  EnableButtons(true);
}

void Step3::cmdWebUpdate_Click() {
  if (!webUpdates_) return;
  // From the press until the list shows what the window fetched, the wizard takes no input: a
  // Next meanwhile would program an image the page no longer shows.
  FrozenScope frozen(Wizard());
  EnableButtons(false);
  const std::string chosen = webUpdates_(this);
  FillFirmwareList(chosen + ".bin");
  EnableButtons(true);
}

void Step3::cmdOpenFile_Click() {
  // Ctrl+O reaches here while the hand control is queried, too.
  if (Wizard().Frozen()) return;
  const QString path = openFile_ ? openFile_(this) : ChooseFirmwareFile(this);
  if (!path.isEmpty()) TakeFirmwareFile(path);
}

void Step3::cmdOpenFolder_Click() {
  const QUrl folder = QUrl::fromLocalFile(FilePath(gProgramFolder));
  if (!QDesktopServices::openUrl(folder))
    DebugLog("No file manager opened " + folder.toString().toStdString());
}

void Step3::TakeFirmwareFile(const QString& path) {
  FrozenScope frozen(Wizard());
  EnableButtons(false);
  const std::string name = ImportFirmwareFile(path);
  if (!name.empty()) FillFirmwareList(name);
  EnableButtons(true);
}

void Step3::EnableButtons(bool enabled) {
  for (QPushButton* button : {cmdRefresh_, cmdWebUpdate_, cmdOpenFile_})
    button->setEnabled(enabled);
}

void Step3::dragEnterEvent(QDragEnterEvent* event) {
  if (!Wizard().Frozen() && !DraggedFirmwareFile(event->mimeData()).isEmpty())
    event->acceptProposedAction();
}

void Step3::dropEvent(QDropEvent* event) {
  const QString path = DraggedFirmwareFile(event->mimeData());
  if (path.isEmpty() || Wizard().Frozen()) return;
  event->acceptProposedAction();
  // After the drop has ended: the file manager that dragged it waits until then, and a question
  // about replacing a file would hold it.
  QTimer::singleShot(0, this, [this, path] {
    if (!Wizard().Frozen()) TakeFirmwareFile(path);
  });
}

bool Step3::eventFilter(QObject* watched, QEvent* event) {
  // A file dropped anywhere on the wizard's window is meant for this page while it shows.
  if (watched == this || watched != window()) return PageBase::eventFilter(watched, event);
  if (!isVisible()) return false;
  if (event->type() == QEvent::DragEnter) {
    dragEnterEvent(static_cast<QDragEnterEvent*>(event));
    return true;
  }
  if (event->type() == QEvent::Drop) {
    dropEvent(static_cast<QDropEvent*>(event));
    return true;
  }
  return false;
}

void Step3::BeforePageShow(CWizard& wizard, int16_t previousStep) {
  if (window() != this) {
    window()->setAcceptDrops(true);
    window()->installEventFilter(this);
  }
  if (previousStep != 2) {
    ShowNow(txtStatus_, BuildStatusText());
    return;
  }
  LinkHost().Breathe();
  FrozenScope frozen(wizard);
  FillFirmwareList("");
  ShowNow(txtStatus_, BuildStatusText());
}

void Step3::BeforePageHide(CWizard& wizard, int16_t nextStep, bool& cancel) {
  if (nextStep != wizard.CurrentStep() + 1) {
    gFirmwareFile.clear();
    return;
  }
  if (gComPort.empty()) {
    Message(PageMessage(MessageKind::NoPortChosen));
    cancel = true;
    return;
  }
  QListWidgetItem* selected = lstFirmware_->currentItem();
  if (!selected) {
    Message(PageMessage(MessageKind::NoFirmwareChosen));
    cancel = true;
    return;
  }
  FrozenScope frozen(wizard);
  gFirmwareFile = FileNameOf(selected);
  const ImageLoadResult loaded = LoadFirmwareFile(ProgramFolderFile(gFirmwareFile));
  if (const auto error = FirmwareLoadMessage(loaded, LastImageReadProblem())) {
    Message(*error);
    cancel = true;
    return;
  }
  if (!PingHandControl()) {
    LinkHost().ShowProgrammingModeHelp();
    cancel = true;
    return;
  }
  std::string typeName;
  int16_t major = 0, minor = 0;
  if (!GetFileVersion(typeName, major, minor) &&
      Message(LinkMessage(MessageKind::UnsupportedFirmwareQuestion)) != MsgAnswer::Yes) {
    cancel = true;
    return;
  }
  ShowNow(txtStatus_, tr(kDetermining));
  ShowNow(txtStatus_, BuildStatusText());
}
