#pragma once
// The wizard acts on key releases. A release counts only when its press arrived at the same
// place: Enter that closes a message box or a drop-down list is pressed there and released
// here, and must not step the wizard or ask to exit.
class QEvent;

class KeyReleaseGate {
 public:
  // Feed it every event seen; true only for a release whose press it saw last.
  bool Passes(const QEvent& event);
  // For when presses may go elsewhere unseen, e.g. while a modal box has the keyboard.
  void Forget() { pressedKey_ = 0; }

 private:
  int pressedKey_ = 0;
};
