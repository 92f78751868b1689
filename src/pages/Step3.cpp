#include "pages/Step3.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

#include "app/PageLook.h"
#include "base/AtomicFile.h"
#include "base/DebugLog.h"
#include "base/DescriptionFile.h"
#include "pages/PageTexts.h"
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "programmer/LinkTexts.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "wizard/CWizard.h"

namespace {

const char* const kDetermining = QT_TRANSLATE_NOOP("Step3", "Determining Status ...");

std::string ProgramFolderFile(const std::string& name) {
  return gProgramFolder + "/" + name;
}

// Image files: names ending in ".bin" in any case, in plain character-code order.
QStringList FirmwareFiles() {
  QStringList names;
  for (const QString& name : QDir(QString::fromStdString(gProgramFolder)).entryList(QDir::Files)) {
    if (name.size() >= 4 && name.right(4).toUpper() == ".BIN") names << name;
  }
  std::sort(names.begin(), names.end(),
            [](const QString& a, const QString& b) { return a.toStdString() < b.toStdString(); });
  return names;
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
  lstFirmware_->setGeometry(TwipsRect(120, 360, 4332, 1392));
  lstFirmware_->setSelectionMode(QAbstractItemView::SingleSelection);
  setFocusProxy(lstFirmware_);
  heading->setBuddy(lstFirmware_);
  // A list view reads only its own name; the label is its relation.
  lstFirmware_->setAccessibleName(heading->text());

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
  WatchKeys();
}

void Step3::FillFirmwareList(const std::string& select) {
  lstFirmware_->clear();
  int match = -1;
  const QString wanted = QString::fromStdString(select);
  for (const QString& name : FirmwareFiles()) {
    if (match < 0 && name.compare(wanted, Qt::CaseInsensitive) == 0) match = lstFirmware_->count();
    lstFirmware_->addItem(name);
  }
  if (lstFirmware_->count() == 0) return;
  lstFirmware_->setCurrentRow(0);
  if (match > 0) lstFirmware_->setCurrentRow(match);
}

void Step3::lstFirmware_Click() {
  FrozenScope frozen(Wizard());
  gFirmwareFile = lstFirmware_->currentItem()->text().toStdString();
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
  cmdRefresh_->setEnabled(false);
  cmdWebUpdate_->setEnabled(false);
  ShowNow(txtStatus_, tr(kDetermining));
  RefreshHandControlInfo();
  ShowNow(txtStatus_, BuildStatusText());
  cmdWebUpdate_->setEnabled(true);
  cmdRefresh_->setEnabled(true);
}

void Step3::cmdWebUpdate_Click() {
  if (!webUpdates_) return;
  // From the press until the list shows what the window fetched, the wizard takes no input: a
  // Next meanwhile would program an image the page no longer shows.
  FrozenScope frozen(Wizard());
  cmdWebUpdate_->setEnabled(false);
  const std::string chosen = webUpdates_(this);
  FillFirmwareList(chosen + ".bin");
  cmdWebUpdate_->setEnabled(true);
}

void Step3::BeforePageShow(CWizard& wizard, int16_t previousStep) {
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
  gFirmwareFile = selected->text().toStdString();
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
