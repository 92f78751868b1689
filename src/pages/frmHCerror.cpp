#include "pages/frmHCerror.h"
#include "base/TextUtil.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "app/PageLook.h"
#include "pages/PageBase.h"
#include "programmer/LinkTexts.h"

namespace {

class frmHCerror : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(frmHCerror)

 public:
  explicit frmHCerror(QWidget* parent) : QDialog(parent) {
    setObjectName("frmHCerror");
    setWindowTitle(tr("Hand Control not in programming mode"));
    PaintPage(this, kLightGreyText);
    setFixedSize(Twips(8760), Twips(3648));

    auto* picture = new QLabel(this);
    picture->setObjectName("Picture1");
    picture->setPixmap(ArtPixmap("handcontrol"));
    picture->move(0, 0);
    picture->adjustSize();

    auto* text = new QLabel(this);
    text->setObjectName("lblText");
    text->setGeometry(TwipsRect(3240, 120, 5412, 2412));
    QFont font("Arial");
    font.setPointSizeF(10.8);
    text->setFont(font);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Qt breaks lines at LF; the CR of each CR LF pair is dropped for display only.
    const QString instructions = QCoreApplication::translate("Link", kProgrammingModeInstructions);
    text->setText(QString(instructions).remove('\r'));
    text->setAccessibleDescription(instructions);
    FitText(text);

    auto* ok = new QPushButton(tr("Next"), this);
    ok->setObjectName("cmdOk");
    ok->setGeometry(TwipsRect(7680, 3000, 972, 372));
    StyleWizardButton(ok);
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  }

  // Centred on the screen rather than over the owner, once its frame is known.
  void showEvent(QShowEvent* event) override {
    QDialog::showEvent(event);
    CentreOnScreen();
  }

 private:
  void CentreOnScreen() {
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize outer = frameGeometry().size();
    move(area.left() + (area.width() - outer.width()) / 2,
         area.top() + (area.height() - outer.height()) / 2);
  }
};

}  // namespace

void ShowProgrammingModeDialog(QWidget* parent) {
  frmHCerror dialog(parent);
  dialog.exec();
}
