#pragma once
// Ending the window program from outside (SIGTERM from logout, systemctl or kill; SIGHUP when
// its terminal goes): it ends as Exit and Yes would, with the port closed, its lock released and
// the settings saved; a run under way is cancelled first.
#include <QObject>
#include <functional>

class CWizard;
class QSocketNotifier;
class QtHost;

// Ends the program as Exit and Yes would. Nobody answers from now on: open boxes close with
// their cautious answer, a run's cancel is confirmed, and the exit question is answered Yes once
// the work under way has ended.
void EndFromOutside(CWizard& wizard, QtHost& host);

// Turns SIGTERM and SIGHUP into a call of ended on the UI thread. The signal handler only
// writes a byte to a pipe; everything else happens when the event loop reads it.
class EndSignals : public QObject {
 public:
  explicit EndSignals(std::function<void()> ended);
  ~EndSignals() override;
  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;

  // False when the pipe or the handlers could not be set up (the program runs on without).
  bool Installed() const { return notifier_ != nullptr; }

 private:
  void Drain();

  std::function<void()> ended_;
  QSocketNotifier* notifier_ = nullptr;
};
