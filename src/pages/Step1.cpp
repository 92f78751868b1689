#include "pages/Step1.h"

#include <QLabel>

#include "app/LookStyle.h"
#include "app/PageLook.h"

Step1::Step1() : PageBase("Step1", 4488, 2724) {
  const QRect places[3] = {TwipsRect(120, 120, 4128, 480), TwipsRect(120, 720, 4212, 708),
                           TwipsRect(120, 2280, 4212, 348)};
  for (int i = 0; i < 3; ++i) {
    label_[i] = new QLabel(this);
    label_[i]->setObjectName(QString("Label1_%1").arg(i));
    label_[i]->setGeometry(places[i]);
    label_[i]->setWordWrap(true);
    label_[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
  label_[0]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label_[0]->setFont(BoldSansFont());
  SetTextColour(label_[0], kHeadingYellow);
  SetLookPart(label_[0], LookPart::Heading);
  // The page itself takes the keyboard (it has no control), so it needs a name of its own.
  setAccessibleName(tr("Welcome"));
  label_[2]->setFont(BoldSansFont());
  WatchKeys();
}

// Written on every show, so no design-time caption can ever appear.
void Step1::BeforePageShow(CWizard&, int16_t) {
  label_[0]->setText(
      ShownText(tr("Welcome to the Corvane Instruments\r\nHand Control Update Program")));
  label_[1]->setText(
      tr("This program allows you to download new firmware from the Corvane website and update "
         "your hand control with the latest firmware available."));
  label_[2]->setText(tr("Press Next to continue"));
  for (QLabel* label : {label_[0], label_[2]}) FitText(label);
  FitText(label_[1], 0, label_[2]->geometry().top() - 1);
}

void Step1::BeforePageHide(CWizard&, int16_t, bool&) {}
