#include "pages/PageBase.h"
#include "base/TextUtil.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

#include "app/CWizardController.h"
#include "app/PageLook.h"
#include "programmer/Link.h"
#include "programmer/LinkTexts.h"
#include "startup/Startup.h"
#include "wizard/CWizard.h"

PageBase::PageBase(const char* name, int widthTwips, int heightTwips) {
  setObjectName(name);
  // Page sizes drop the remainder of the twips-to-pixels division, as the wizard's layout does.
  setFixedSize(widthTwips / 15, heightTwips / 15);
  PaintPage(this);
  QFont font("Liberation Sans");
  font.setPointSize(8);
  setFont(font);
  setFocusPolicy(Qt::StrongFocus);
}

CWizard& PageBase::Wizard() {
  return gWizardController->WizardHandle();
}

MsgAnswer PageBase::Message(const HostMessage& message) {
  return LinkHost().Message(message);
}

void PageBase::WatchKeys() {
  installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

bool PageBase::Form_KeyUp(int key, Qt::KeyboardModifiers modifiers) {
  return gWizardController && Wizard().TranslateKey(key, modifiers);
}

bool PageBase::eventFilter(QObject* watched, QEvent* event) {
  if (!keys_.Passes(*event)) return false;
  if (watched != this && !isAncestorOf(qobject_cast<QWidget*>(watched))) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  return Form_KeyUp(key->key(), key->modifiers());
}

QString ShownText(const std::string& text) {
  return QString::fromStdString(WithLfLineEnds(text));
}

void ShowNow(QPlainTextEdit* box, const std::string& text) {
  box->setPlainText(ShownText(text));
  box->repaint();
}

QPlainTextEdit* MakeTextBox(QWidget* parent, const char* name, const QRect& geometry) {
  auto* box = new QPlainTextEdit(parent);
  box->setObjectName(name);
  box->setGeometry(geometry);
  box->setReadOnly(true);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Small enough that the twelve lines of a full status block fit without scrolling.
  QFont font = box->font();
  font.setPixelSize(10);
  box->setFont(font);
  return box;
}
