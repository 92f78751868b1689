#pragma once
// The real window program under an Xvfb display of its own, driven by keys and clicks through
// xdotool, as a user would drive it.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include "PagesFixture.h"

class RealWindowTest : public PagesTest {
 protected:
  void TearDown() override;

  // Skips the test (true) when Xvfb, xdotool or the built programs are missing.
  bool MissingTools();
  // A display of our own; false when none came up.
  bool StartDisplay();
  // Copies the built program into the program folder and starts it there.
  void StartProgram();

  // Runs xdotool on our display; its output's first line, trimmed. Waits (--sync) end after
  // timeoutMs.
  QString Xdo(const QStringList& args, int timeoutMs = 30000);
  // The first visible window whose title matches the pattern (waits for it).
  QString Window(const QString& title);
  // Whether a visible window with that title exists now.
  bool Showing(const QString& title);
  // Input reaches the program only when it is idle again: keys that arrive while a step runs
  // are ignored by the wizard, as they would be for a user. So each action gets a moment.
  void Key(const QString& window, const QString& key, int pauseMs = 1500);
  // Alt held down around the key (xdotool's "alt+key" form does not reach Qt as Alt under Xvfb).
  void AltKey(const QString& window, const QString& key, int pauseMs = 1500);
  void ClickAt(const QString& window, int x, int y, int pauseMs = 1500);

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  QProcess xvfb, sim, site, program;
};

// Keeps data in two blocks of every 32 (and the block with the signature): the port holds
// writes to the line's 19200 baud, so a full image would take minutes to program.
void ThinOut(const QString& path);
