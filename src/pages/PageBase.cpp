#include "pages/PageBase.h"
#include "base/TextUtil.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <algorithm>

#include "app/CWizardController.h"
#include "app/LookStyle.h"
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

void PageBase::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  // A page with a focus proxy "has" the focus of that control, which shows its own outline.
  if (!hasFocus() || focusProxy()) return;
  QPainter painter(this);
  DrawFocusOutline(painter, rect());
}

QString ShownText(const std::string& text) {
  return QString::fromStdString(WithLfLineEnds(text));
}

QString ShownText(const QString& text) {
  return QString(text).remove('\r');
}

void ShowNow(QPlainTextEdit* box, const std::string& text) {
  ShowNow(box, QString::fromStdString(text));
}

void ShowNow(QPlainTextEdit* box, const QString& text) {
  box->setPlainText(ShownText(text));
  box->repaint();
}

namespace {

bool Fits(const QLabel& label) {
  if (label.wordWrap()) return label.heightForWidth(label.width()) <= label.height();
  return label.sizeHint().width() <= label.width();
}

bool Fits(const QAbstractButton& button) {
  // The caption and the few pixels of the button's frame and padding on either side.
  constexpr int kButtonMargin = 8;
  return button.fontMetrics().horizontalAdvance(button.text()) + kButtonMargin <= button.width();
}

// One step smaller; false when the font is as small as a text may get.
bool Smaller(QWidget& widget) {
  QFont font = widget.font();
  if (font.pixelSize() > 0) {
    if (font.pixelSize() <= 7) return false;
    font.setPixelSize(font.pixelSize() - 1);
  } else {
    if (font.pointSizeF() <= 5.5) return false;
    font.setPointSizeF(font.pointSizeF() - 0.5);
  }
  widget.setFont(font);
  return true;
}

}  // namespace

void FitText(QLabel* label, int maxRight, int maxBottom) {
  if (Fits(*label)) return;
  QRect area = label->geometry();
  if (!label->wordWrap() && maxRight > area.right())
    area.setWidth(std::min(label->sizeHint().width(), maxRight - area.left() + 1));
  if (label->wordWrap() && maxBottom > area.bottom())
    area.setHeight(std::min(label->heightForWidth(area.width()), maxBottom - area.top() + 1));
  label->setGeometry(area);
  while (!Fits(*label) && Smaller(*label)) {
  }
}

void FitText(QAbstractButton* button) {
  while (!Fits(*button) && Smaller(*button)) {
  }
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
