// The wizard's window: hosting of the pages, layout, button states, keys, focus and closing.
#include "wizard/CWizardWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "wizard/CWizard.h"
#include "wizard/WizardStyle.h"

namespace {

constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 23;
// The window's frame on the platform this layout was drawn for: 3 px borders and a 25 px
// caption bar. The outer-size rule (+10, +34) thus leaves these client margins.
constexpr int kExtraClientWidth = 10 - 2 * 3;
constexpr int kExtraClientHeight = 34 - 25 - 2 * 3;
const QColor kShadow(128, 128, 128);
const QColor kHighlight(255, 255, 255);

QPushButton* MakeButton(const QString& caption, const WizardStyle& style, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  if (style.StyleButton) style.StyleButton(button);
  button->setAutoDefault(false);
  button->resize(kButtonWidth, kButtonHeight);
  return button;
}

}  // namespace

CWizardWindow::CWizardWindow(WizardStyle style)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      style_(std::move(style)) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, style_.Background);
  setPalette(palette);
  setAutoFillBackground(true);
  setWindowTitle(style_.Caption);

  picSplash_ = new QLabel(this);
  if (!style_.Splash.isNull()) {
    picSplash_->setPixmap(style_.Splash);
    picSplash_->resize(style_.Splash.size());
  } else {
    picSplash_->resize(style_.SplashSize);
  }
  picSplash_->move(4, 4);

  picPage_ = new QFrame(this);
  picPage_->setFrameStyle(QFrame::Box | QFrame::Plain);
  picPage_->setLineWidth(1);
  QPalette framePalette = picPage_->palette();
  framePalette.setColor(QPalette::WindowText, kShadow);
  picPage_->setPalette(framePalette);

  cmdHelp_ = MakeButton(style_.HelpText, style_, this);
  cmdStepBack_ = MakeButton(style_.BackText, style_, this);
  cmdStepFwd_ = MakeButton(style_.NextText, style_, this);
  cmdTerminate_ = MakeButton(style_.ExitText, style_, this);
  cmdStepBack_->setAccessibleName(style_.BackName);
  cmdStepFwd_->setAccessibleName(style_.NextName);
  const std::pair<QPushButton*, WizardButton> buttons[] = {
      {cmdHelp_, WizardButton::Help},
      {cmdStepBack_, WizardButton::Back},
      {cmdStepFwd_, WizardButton::Next},
      {cmdTerminate_, WizardButton::Terminate}};
  for (const auto& [button, which] : buttons) {
    connect(button, &QPushButton::clicked, this, [this, which = which] {
      if (wizard_) wizard_->ClickButton(which);
    });
    button->installEventFilter(this);
  }
  setTabOrder(cmdStepFwd_, cmdTerminate_);
  setTabOrder(cmdTerminate_, cmdHelp_);
  setTabOrder(cmdHelp_, cmdStepBack_);
  setTabOrder(cmdStepBack_, picPage_);
}

QPushButton* CWizardWindow::Button(WizardButton which) {
  switch (which) {
    case WizardButton::Help:
      return cmdHelp_;
    case WizardButton::Back:
      return cmdStepBack_;
    case WizardButton::Next:
      return cmdStepFwd_;
    case WizardButton::Terminate:
      break;
  }
  return cmdTerminate_;
}

QWidget* CWizardWindow::PageArea() const {
  return picPage_;
}

void CWizardWindow::ShowWindow() {
  show();
  raise();
  activateWindow();
}

QWidget* CWizardWindow::HostPage(QWidget* page) {
  QWidget* oldParent = page->parentWidget();
  page->setParent(picPage_);  // hidden until the step shows it
  page->move(picPage_->frameWidth(), picPage_->frameWidth());
  page->raise();
  return oldParent;
}

void CWizardWindow::ReleasePage(QWidget* page, QWidget* oldParent) {
  page->hide();
  page->setParent(oldParent);
}

void CWizardWindow::LayoutWindow() {
  wizard_->SetFinishedLoading(false);
  const int buttonsWidth = cmdStepBack_->width() + cmdStepFwd_->width() + cmdTerminate_->width();
  picSplash_->move(4, 4);
  const int x = picSplash_->x() + picSplash_->width() + 6;
  const int16_t step = wizard_->CurrentStep() >= 1 ? wizard_->CurrentStep() : 1;
  QWidget* page = wizard_->PageWidgetAt(step);
  if (!page) {
    wizard_->SetFinishedLoading(true);
    return;
  }
  picPage_->setGeometry(x, 2, page->width() + 2, page->height() + 2);
  int right = std::max(buttonsWidth + 30, picPage_->x() + picPage_->width());
  const int y =
      std::max(picSplash_->y() + picSplash_->height(), picPage_->y() + picPage_->height()) + 6;
  separatorY_ = y;
  separatorRight_ = right + 3;
  right += 4;
  const int top = y + 8;
  const int width = cmdHelp_->width();
  cmdHelp_->move(4, top);
  cmdTerminate_->setGeometry(right - width - 2, top, width, cmdTerminate_->height());
  cmdStepFwd_->setGeometry(cmdTerminate_->x() - 10 - width, top, width, cmdStepFwd_->height());
  cmdStepBack_->setGeometry(cmdStepFwd_->x() - 2 - width, top, width, cmdStepBack_->height());
  const int bottom = top + 2 + cmdTerminate_->height();

  const QSize before = size();
  setFixedSize(right + kExtraClientWidth, bottom + kExtraClientHeight);
  if (size() != before || !testAttribute(Qt::WA_Moved)) {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) {
      const QRect area = screen->geometry();
      const QSize outer = isVisible() ? frameGeometry().size() : size();
      move(area.x() + area.width() / 2 - outer.width() / 2,
           area.y() + area.height() / 2 - outer.height() / 2);
    }
    if (std::optional<WizardButton> target = wizard_->FocusTarget()) {
      CentreCursorOn(Button(*target));
    }
  }
  update();
  wizard_->SetFinishedLoading(true);
}

void CWizardWindow::CentreCursorOn(QWidget* target) {
  if (!target) return;
  QCursor::setPos(target->mapToGlobal(QPoint(target->width() / 2, target->height() / 2)));
}

void CWizardWindow::SetDefaultButton(QPushButton* button) {
  for (QPushButton* each : {cmdHelp_, cmdStepBack_, cmdStepFwd_, cmdTerminate_}) {
    each->setDefault(each == button);
  }
}

void CWizardWindow::RefreshButtons() {
  LayoutWindow();
  cmdStepBack_->setEnabled(true);
  cmdStepFwd_->setEnabled(true);
  SetDefaultButton(cmdStepFwd_);
  if (terminateRole_ == TerminateRole::Finish || terminateRole_ == TerminateRole::Cancel) {
    SetTerminateRole(TerminateRole::Exit);
  }
  if (wizard_->CurrentStep() == wizard_->StepCount()) SetDefaultButton(cmdTerminate_);
  setTabOrder(cmdStepBack_, picPage_);
  FocusCurrentPage();
}

void CWizardWindow::FocusCurrentPage() {
  QWidget* page = wizard_->PageWidgetAt(wizard_->CurrentStep());
  if (!page) return;
  if (page->focusPolicy() & Qt::TabFocus) {
    page->setFocus(Qt::OtherFocusReason);
    return;
  }
  // A page that takes no focus itself hands it to its first control that does.
  for (QWidget* each = page->nextInFocusChain(); each && each != page && page->isAncestorOf(each);
       each = each->nextInFocusChain()) {
    if ((each->focusPolicy() & Qt::TabFocus) && each->isEnabled() && !each->isHidden()) {
      each->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
}

void CWizardWindow::SetTerminateRole(TerminateRole role) {
  terminateRole_ = role;
  switch (role) {
    case TerminateRole::Exit:
      cmdTerminate_->setText(style_.ExitText);
      break;
    case TerminateRole::Finish:
      cmdTerminate_->setText(style_.FinishText);
      break;
    case TerminateRole::Cancel:
      cmdTerminate_->setText(style_.CancelText);
      break;
    case TerminateRole::Wait:
      cmdTerminate_->setText(style_.WaitText);
      break;
  }
}

void CWizardWindow::SetLastStepButtons() {
  cmdStepFwd_->setEnabled(false);
  SetTerminateRole(TerminateRole::Finish);
  SetDefaultButton(cmdTerminate_);
}

void CWizardWindow::DisableBack() {
  cmdStepBack_->setEnabled(false);
}

void CWizardWindow::ApplyFrozen(bool frozen) {
  const int16_t current = wizard_->CurrentStep();
  cmdHelp_->setEnabled(!frozen);
  cmdStepBack_->setEnabled(current != 1 && !frozen);
  cmdStepFwd_->setEnabled(current != wizard_->StepCount() && !frozen);
  // Not the last step as such: a run that can be cancelled lives on the style's step.
  cmdTerminate_->setEnabled(current == style_.CancellableStep || !frozen);
  picPage_->setEnabled(!frozen);
  if (frozen) {
    setCursor(Qt::WaitCursor);
  } else {
    unsetCursor();
  }
  QCoreApplication::processEvents();
}

void CWizardWindow::TransferFocus() {
  setTabOrder(cmdStepFwd_, cmdTerminate_);
  setTabOrder(cmdTerminate_, cmdHelp_);
  setTabOrder(cmdHelp_, cmdStepBack_);
  setTabOrder(cmdStepBack_, picPage_);
  Button(wizard_->FocusTarget().value_or(WizardButton::Next))->setFocus(Qt::OtherFocusReason);
}

void CWizardWindow::Beep() {
  QApplication::beep();
}

void CWizardWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // A thin sunken edge around the splash picture.
  const QRect splash = picSplash_->geometry();
  const int left = splash.x() - 1, top = splash.y() - 1;
  const int right = splash.x() + splash.width(), bottom = splash.y() + splash.height();
  painter.setPen(kShadow);
  painter.drawLine(left, top, right, top);
  painter.drawLine(left, top, left, bottom);
  painter.setPen(kHighlight);
  painter.drawLine(left, bottom, right, bottom);
  painter.drawLine(right, top, right, bottom);
  if (separatorY_ >= 0) {
    painter.setPen(kShadow);
    painter.drawLine(4, separatorY_, separatorRight_ - 1, separatorY_);
    painter.setPen(kHighlight);
    painter.drawLine(4, separatorY_ + 1, separatorRight_ - 1, separatorY_ + 1);
  }
}

void CWizardWindow::closeEvent(QCloseEvent* event) {
  if (!wizard_) {
    event->accept();
    return;
  }
  if (wizard_->QueryUnload()) {
    event->ignore();
    return;
  }
  wizard_->finish();
  event->accept();
  wizard_->OnUnload();
}

void CWizardWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) keys_.Forget();
  QWidget::changeEvent(event);
}

void CWizardWindow::keyPressEvent(QKeyEvent* event) {
  // A page's key that no control took arrives here too; its release is the page's business.
  QWidget* focus = focusWidget();
  if (!focus || focus == this) keys_.Passes(*event);
  QWidget::keyPressEvent(event);
}

void CWizardWindow::keyReleaseEvent(QKeyEvent* event) {
  // Only keys with no control in focus: keys of the pages and of the buttons are translated
  // where they arise and would otherwise count twice.
  QWidget* focus = focusWidget();
  if (wizard_ && keys_.Passes(*event) && (!focus || focus == this) &&
      wizard_->TranslateKey(event->key(), event->modifiers())) {
    event->accept();
    return;
  }
  QWidget::keyReleaseEvent(event);
}

bool CWizardWindow::eventFilter(QObject* watched, QEvent* event) {
  // Keys on the wizard's own buttons act like keys on a page: Enter operates the default button
  // (on release, like the pages), not the focused one.
  const bool released = keys_.Passes(*event);
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        !(key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))) {
      return true;
    }
  } else if (released && wizard_) {
    auto* key = static_cast<QKeyEvent*>(event);
    return wizard_->TranslateKey(key->key(), key->modifiers());
  }
  return QWidget::eventFilter(watched, event);
}
