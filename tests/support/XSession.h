#pragma once
// A private X display (Xvfb) and xdotool, to run the real window program and drive it with keys
// and clicks the way a user would.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class XSession {
 public:
  ~XSession();
  // The first of Xvfb and xdotool that is not installed; empty when both are.
  static QString MissingTool();
  // Starts Xvfb on a display it picks itself (so tests started together never share one) and
  // waits until it answers. Env() then names it.
  bool Start();
  // The environment for programs on this display (no offscreen platform; under the address
  // sanitizer, leaks of the system's session-bus library are not reported as ours).
  QProcessEnvironment& Env() { return env_; }

  // Runs xdotool on the display; its output's first line, trimmed. Waits (--sync) end after
  // timeoutMs.
  QString Xdo(const QStringList& args, int timeoutMs = 30000);
  // The id of the visible window whose name matches the regular expression title.
  QString Window(const QString& title);
  // Whether a visible window with that title exists now.
  bool Showing(const QString& title);
  // Input reaches the program only when it is idle again: keys that arrive while a step runs
  // are ignored by the wizard, as they would be for a user. So each action gets a moment.
  void Key(const QString& window, const QString& key, int pauseMs = 1500);
  // Alt held down around the key (xdotool's "alt+key" form does not reach Qt as Alt under Xvfb).
  void AltKey(const QString& window, const QString& key, int pauseMs = 1500);
  void ClickAt(const QString& window, int x, int y, int pauseMs = 1500);

 private:
  QProcessEnvironment env_ = QProcessEnvironment::systemEnvironment();
  QProcess xvfb_;
  QTemporaryDir dir_;
};
