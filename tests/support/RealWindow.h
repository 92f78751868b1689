#pragma once
// The real window program under an Xvfb display of its own, driven by keys and clicks through
// xdotool, as a user would drive it.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <functional>

#include "PagesFixture.h"
#include "XSession.h"

class RealWindowTest : public PagesTest {
 protected:
  void TearDown() override;

  // Skips the test (true) when Xvfb, xdotool or the built programs are missing.
  bool MissingTools();
  // A display of our own; false when none came up.
  bool StartDisplay();
  // Copies the built program into the program folder and starts it there.
  void StartProgram();

  // Keys, clicks and window look-ups on our display.
  QString Xdo(const QStringList& args, int timeoutMs = 30000) { return x.Xdo(args, timeoutMs); }
  QString Window(const QString& title) { return x.Window(title); }
  bool Showing(const QString& title) { return x.Showing(title); }
  void Key(const QString& w, const QString& key, int pauseMs = 1500) { x.Key(w, key, pauseMs); }
  void AltKey(const QString& w, const QString& key, int pauseMs = 1500) {
    x.AltKey(w, key, pauseMs);
  }
  void ClickAt(const QString& w, int px, int py, int pauseMs = 1500) {
    x.ClickAt(w, px, py, pauseMs);
  }

  // Waits up to ms for condition, looking every 50 ms.
  static bool WaitFor(const std::function<bool()>& condition, int ms);

  // An image with data in two blocks of every 32: the real port holds writes to the line's
  // 19200 baud, so a full image would take minutes to program.
  void WriteThinImage(const std::string& name, uint16_t code) {
    WriteImage(name, code, testimage::kImageSize, 2, 30);
  }
  XSession x;
  QProcessEnvironment& env = x.Env();
  QProcess sim, site, program;
};
