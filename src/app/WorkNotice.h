#pragma once
// Telling the user that long work has ended while they were in another window: the window asks
// for attention and the desktop shows a notification saying how it ended.
#include <QElapsedTimer>
#include <QString>
#include <chrono>
#include <memory>

class QWidget;

// Shows a desktop notification; false when there is no one to show it.
class IDesktopNotifier {
 public:
  virtual ~IDesktopNotifier() = default;
  virtual bool Notify(const QString& summary, const QString& body) = 0;
};

// org.freedesktop.Notifications on the session bus (nothing happens without a bus).
std::unique_ptr<IDesktopNotifier> MakeBusNotifier();
// The notifier work notices go to (null: none, as in tests that do not ask for one).
void SetDesktopNotifier(IDesktopNotifier* notifier);

// Watches one piece of work from its start; Ended tells of it when it took longer than the
// threshold and the window is not the active one.
class WorkNotice {
 public:
  static constexpr std::chrono::milliseconds kLongWork{10000};

  explicit WorkNotice(QWidget* window, std::chrono::milliseconds threshold = kLongWork);
  // True when the user was told.
  bool Ended(const QString& how);

 private:
  QWidget* window_;
  std::chrono::milliseconds threshold_;
  QElapsedTimer timer_;
};
