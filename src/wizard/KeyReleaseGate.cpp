#include "wizard/KeyReleaseGate.h"

#include <QKeyEvent>

bool KeyReleaseGate::Passes(const QEvent& event) {
  const QEvent::Type type = event.type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
  const auto& key = static_cast<const QKeyEvent&>(event);
  if (key.isAutoRepeat()) return false;
  if (type == QEvent::KeyPress) {
    pressedKey_ = key.key();
    return false;
  }
  if (key.key() != pressedKey_) return false;
  pressedKey_ = 0;
  return true;
}
