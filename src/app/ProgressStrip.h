#pragma once
// The programming page's progress as the page has always drawn it: a dark strip, a green fill
// from its left edge and the label over both. Assistive technology reads it as a progress bar
// with its value (percent) and the label as the value's text.
#include <QFrame>

class QLabel;

class ProgressStrip : public QFrame {
  Q_OBJECT

 public:
  explicit ProgressStrip(QWidget* parent);

  // The fill's share of the strip, 0 to 1 (kept within), and the text over it.
  void SetProgress(double fraction, const QString& text);
  // Empty strip, no text.
  void Reset();
  double Fraction() const { return fraction_; }
  QString Text() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Place();

  QFrame* fill_;
  QLabel* label_;
  double fraction_ = 0;
};
