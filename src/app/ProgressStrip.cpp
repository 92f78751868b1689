#include "app/ProgressStrip.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <algorithm>

#include "app/LookStyle.h"
#include "app/PageLook.h"

namespace {

const QColor kStripColour(48, 48, 48);
const QColor kFillColour(0, 128, 0);

void PaintBox(QFrame* box, const QColor& fill) {
  box->setFrameShape(QFrame::Box);
  box->setLineWidth(1);
  QPalette palette = box->palette();
  palette.setColor(QPalette::Window, fill);
  palette.setColor(QPalette::WindowText, Qt::black);
  box->setPalette(palette);
  box->setAutoFillBackground(true);
}

class StripAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit StripAccessible(QWidget* strip) : QAccessibleWidget(strip, QAccessible::ProgressBar) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text which) const override {
    if (which == QAccessible::Value) return Strip()->Text();
    return QAccessibleWidget::text(which);
  }
  QVariant currentValue() const override { return Strip()->Fraction() * 100; }
  // The strip shows what the run reports; nothing sets it from outside.
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override { return 100.0; }
  QVariant minimumValue() const override { return 0.0; }
  QVariant minimumStepSize() const override { return 0.0; }

 private:
  const ProgressStrip* Strip() const { return static_cast<const ProgressStrip*>(widget()); }
};

QAccessibleInterface* MakeStripAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String("ProgressStrip") || !object || !object->isWidgetType())
    return nullptr;
  return new StripAccessible(static_cast<QWidget*>(object));
}

}  // namespace

ProgressStrip::ProgressStrip(QWidget* parent) : QFrame(parent) {
  static const bool factoryInstalled = (QAccessible::installFactory(MakeStripAccessible), true);
  (void)factoryInstalled;
  setObjectName("Shape1");
  PaintBox(this, kStripColour);
  fill_ = new QFrame(this);
  fill_->setObjectName("Shape2");
  PaintBox(fill_, kFillColour);
  SetLookPart(fill_, LookPart::BarFill);
  label_ = new QLabel(this);
  label_->setObjectName("lblPacifier");
  label_->setAlignment(Qt::AlignCenter);
  label_->setFont(BoldSansFont());
  SetTextColour(label_, Qt::white);
  label_->setAttribute(Qt::WA_TransparentForMouseEvents);
  Place();
}

void ProgressStrip::SetProgress(double fraction, const QString& text) {
  const double clamped = std::clamp(fraction, 0.0, 1.0);
  label_->setText(text);
  if (clamped == fraction_) return;
  fraction_ = clamped;
  Place();
  QAccessibleValueChangeEvent event(this, fraction_ * 100);
  QAccessible::updateAccessibility(&event);
}

void ProgressStrip::Reset() {
  SetProgress(0, QString());
}

QString ProgressStrip::Text() const {
  return label_->text();
}

void ProgressStrip::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  Place();
}

void ProgressStrip::Place() {
  fill_->setGeometry(0, 0, static_cast<int>(width() * fraction_), height());
  label_->setGeometry(rect());
  label_->raise();
}
