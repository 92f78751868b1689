#include "app/WorkNotice.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>
#include <QWidget>

#include "startup/Startup.h"

namespace {

IDesktopNotifier* gNotifier = nullptr;

class BusNotifier : public IDesktopNotifier {
 public:
  bool Notify(const QString& summary, const QString& body) override {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.Notifications",
                                                       "/org/freedesktop/Notifications",
                                                       "org.freedesktop.Notifications", "Notify");
    const QString appId = QGuiApplication::desktopFileName();
    QVariantMap hints;
    if (!appId.isEmpty()) hints.insert("desktop-entry", appId);
    call << QString::fromStdString(gBaseName) << 0u << appId << summary << body << QStringList()
         << hints << -1;
    // Not waited for: a slow or missing notification service must not hold the window.
    return bus.send(call);
  }
};

}  // namespace

std::unique_ptr<IDesktopNotifier> MakeBusNotifier() {
  return std::make_unique<BusNotifier>();
}

void SetDesktopNotifier(IDesktopNotifier* notifier) {
  gNotifier = notifier;
}

WorkNotice::WorkNotice(QWidget* window, std::chrono::milliseconds threshold)
    : window_(window), threshold_(threshold) {
  timer_.start();
}

bool WorkNotice::Ended(const QString& how) {
  if (timer_.elapsed() < threshold_.count()) return false;
  if (window_ && window_->isActiveWindow()) return false;
  if (window_) QApplication::alert(window_);
  if (gNotifier) gNotifier->Notify(QString::fromStdString(gBaseName), how);
  return true;
}
