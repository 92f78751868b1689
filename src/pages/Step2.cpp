#include "pages/Step2.h"

#include <QComboBox>
#include <QLabel>

#include "app/PageLook.h"
#include "programmer/Link.h"
#include "programmer/SerialDevices.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "wizard/CWizard.h"

Step2::Step2() : PageBase("Step2", 4476, 2736), portExists_(ComPortExists) {
  auto* heading = new QLabel(tr("Choose a COM port"), this);
  heading->setObjectName("Label1");
  heading->setGeometry(TwipsRect(240, 120, 2652, 252));

  cboComPort_ = new QComboBox(this);
  cboComPort_->setObjectName("cboComPort");
  // A drop-down list of the classic height, so that the device line fits above Label2.
  cboComPort_->setGeometry(Twips(240), Twips(360), Twips(2292), 21);
  setFocusProxy(cboComPort_);
  heading->setBuddy(cboComPort_);

  // Which device a COM name stands for on this machine; it changes nothing that is stored.
  lblDevice_ = new QLabel(this);
  lblDevice_->setObjectName("lblDevice");
  lblDevice_->setGeometry(Twips(240), cboComPort_->geometry().bottom() + 1, Twips(4092),
                          Twips(840) - cboComPort_->geometry().bottom() - 1);
  // Our own line, not the page's design: black on the grey page is the one text colour that
  // reads at 4.5:1 there, and it gets the page's body size.
  SetTextColour(lblDevice_, kNoteText);
  connect(cboComPort_, &QComboBox::currentIndexChanged, this, [this] { ShowDevice(); });

  auto* note = new QLabel(this);
  note->setObjectName("Label2");
  note->setGeometry(TwipsRect(240, 840, 4092, 1812));
  note->setWordWrap(true);
  note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  note->setText(ShownText(
      tr("Make sure you choose the COM port that is attached to the bottom of your Hand Control "
         "and that you are using the proper serial cable.  The Quorrel kit should also be powered "
         "On.\r\n\r\nNote: Choose None if you are not connected to a Hand Control right now but "
         "would like to check for Web Updates on the Next screen.")));
  FitText(heading);
  FitText(note);
  WatchKeys();
}

void Step2::FillPortList() {
  cboComPort_->clear();
  cboComPort_->addItem(tr("None"));
  for (int n = 1; n <= 16; ++n) {
    const std::string name = "COM" + std::to_string(n);
    if (portExists_(name)) cboComPort_->addItem(QString::fromStdString(name));
  }
  cboComPort_->setCurrentIndex(0);
  if (gComPort.empty()) return;
  const QString stored = QString::fromStdString(gComPort).toUpper();
  for (int i = 1; i < cboComPort_->count(); ++i) {
    if (cboComPort_->itemText(i).toUpper() == stored) {
      cboComPort_->setCurrentIndex(i);
      return;
    }
  }
}

void Step2::ShowDevice() {
  const int index = cboComPort_->currentIndex();
  if (index <= 0) {
    lblDevice_->clear();
    return;
  }
  const PortRoots roots = roots_.value_or(PortRoots{gProgramFolder});
  const QString device =
      QString::fromStdString(ResolvePortDeviceIn(cboComPort_->currentText().toStdString(), roots));
  if (device.isEmpty()) {
    lblDevice_->setText(tr("No device for this name"));
    return;
  }
  // A link in ports/ is shown by the device it leads to, and a USB adapter by its name and
  // serial number: the parts a user recognises.
  const SerialDevice found = DescribeSerialDeviceIn(
      device.toStdString(), roots, roots_ ? std::vector<SerialDevice>{} : ReportedSerialPorts());
  const QString hint = QString::fromStdString(DeviceHint(found));
  const QString text =
      found.description.empty() && found.serial.empty() ? tr("Device: %1").arg(hint) : hint;
  lblDevice_->setText(
      lblDevice_->fontMetrics().elidedText(text, Qt::ElideMiddle, lblDevice_->width()));
  lblDevice_->setToolTip(device);
}

void Step2::BeforePageShow(CWizard&, int16_t previousStep) {
  // Coming back from page 3 keeps the user's choice. A list never built (the wizard started on
  // this page) is built as well, so the page never shows an empty list.
  if (previousStep == 1 || cboComPort_->count() == 0) FillPortList();
}

void Step2::BeforePageHide(CWizard& wizard, int16_t nextStep, bool& cancel) {
  if (nextStep != wizard.CurrentStep() + 1) {
    // Back to the welcome page: gComPort stays, so the port is preselected next time.
    if (!gComPort.empty()) CloseComPort();
    return;
  }
  if (cboComPort_->currentIndex() <= 0) {
    gComPort.clear();
    return;
  }
  gComPort = cboComPort_->currentText().toStdString();
  bool opened = false;
  {
    FrozenScope frozen(wizard);
    opened = OpenComPort();
    if (opened) RefreshHandControlInfo();
  }
  if (opened) return;
  cancel = true;
  LinkHost().Breathe();
}
