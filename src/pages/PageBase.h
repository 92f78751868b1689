#pragma once
// What the four pages share: the page is its own widget, key releases anywhere on it go to the
// wizard's key translation, and message boxes go through the link host so tests can answer them.
#include <QCoreApplication>
#include <QWidget>
#include <string>

#include "base/Host.h"
#include "wizard/IWizardPage.h"
#include "wizard/KeyReleaseGate.h"

class CWizard;
class QAbstractButton;
class QLabel;
class QPlainTextEdit;

class PageBase : public QWidget, public IWizardPage {
 public:
  // Width and height in twips; the page keeps that fixed size in pixels.
  PageBase(const char* name, int widthTwips, int heightTwips);

  QWidget* PageWidget() override { return this; }

 protected:
  // The wizard, reached through the process-wide controller.
  static CWizard& Wizard();
  // A message box, through the link's host.
  static MsgAnswer Message(const HostMessage& message);
  // Call once every control exists: their key releases reach Form_KeyUp first.
  void WatchKeys();
  // Passes a key release on to the wizard (Enter, Esc, Alt+Left, Alt+Right); true when the
  // wizard used it.
  virtual bool Form_KeyUp(int key, Qt::KeyboardModifiers modifiers);

  bool eventFilter(QObject* watched, QEvent* event) override;
  // A page that takes the keyboard itself (one without controls) shows when it has it.
  void paintEvent(QPaintEvent* event) override;

 private:
  KeyReleaseGate keys_;
};

// Text with CR LF line ends as a widget shows it.
QString ShownText(const std::string& text);
QString ShownText(const QString& text);
// Puts text into a box and repaints it at once, as no events run during hand control queries.
void ShowNow(QPlainTextEdit* box, const std::string& text);
void ShowNow(QPlainTextEdit* box, const QString& text);
// Keeps a text whole in the place the English text was given: a translation may be longer. A
// label grows, as far as it needs, right to maxRight and down to maxBottom (page coordinates;
// 0: not that way); what still does not fit is set one step smaller until it does. A text that
// fits is left as it is, so the English pages keep their geometry and fonts.
void FitText(QLabel* label, int maxRight = 0, int maxBottom = 0);
void FitText(QAbstractButton* button);
// A read-only multi-line text box.
QPlainTextEdit* MakeTextBox(QWidget* parent, const char* name, const QRect& geometry);
