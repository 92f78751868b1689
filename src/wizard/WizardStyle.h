#pragma once
// What a wizard window shows that belongs to the application using it: caption, splash
// picture, colours, button texts and the buttons' look. The wizard knows nothing else of it.
#include <QColor>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>

class QPushButton;

struct WizardStyle {
  QString Caption;
  // The picture left of the pages; without one its place (SplashSize) stays empty.
  QPixmap Splash;
  QSize SplashSize{120, 226};
  QColor Background = Qt::black;
  // Applied to each of the window's buttons after it is made.
  std::function<void(QPushButton*)> StyleButton;
  QString HelpText = "Help";
  QString BackText = "<  Back";
  QString NextText = "Next  >";
  // What assistive technology reads for Back and Next, without the arrows of their captions.
  QString BackName = "Back";
  QString NextName = "Next";
  QString ExitText = "Exit";
  // The exit button's caption on the last step, and the one a page may give it during a run;
  // both turn back into ExitText at the next step.
  QString FinishText = "Finish";
  QString CancelText = "Cancel";
  // The exit button's caption while a cancel request waits for the run to answer it.
  QString WaitText = "Wait...";
  // The step on which the exit button stays usable while the wizard is frozen, so that a run
  // there can be cancelled; -1 for none.
  int16_t CancellableStep = -1;
};
