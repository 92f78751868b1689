#include "app/LookStyle.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>

namespace {

constexpr const char* kPartProperty = "lookPart";
constexpr const char* kOwnPaletteProperty = "lookOwnPalette";
// A button's outline lies inside its border, where it stands on the button's own colour.
constexpr int kInsideBorder = 2;

bool gHighContrastLook = false;

class LookStyle : public QProxyStyle {
 public:
  explicit LookStyle(bool highContrast) : highContrast_(highContrast) {}

  void polish(QWidget* widget) override {
    QProxyStyle::polish(widget);
    if (!highContrast_) return;
    // The look's own colours come back when the look does (unpolish).
    if (!widget->property(kOwnPaletteProperty).isValid()) {
      widget->setProperty(kOwnPaletteProperty, widget->testAttribute(Qt::WA_SetPalette)
                                                   ? QVariant(widget->palette())
                                                   : QVariant(QPalette()));
    }
    const auto part = static_cast<LookPart>(widget->property(kPartProperty).toInt());
    widget->setPalette(HighContrastPalette(part));
  }

  void unpolish(QWidget* widget) override {
    const QVariant own = widget->property(kOwnPaletteProperty);
    if (highContrast_ && own.isValid()) {
      widget->setPalette(own.value<QPalette>());
      widget->setProperty(kOwnPaletteProperty, QVariant());
    }
    QProxyStyle::unpolish(widget);
  }

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    // Lists and text boxes carry the outline in their frame, as their contents cover the rest.
    if (metric == PM_DefaultFrameWidth && qobject_cast<const QAbstractScrollArea*>(widget))
      return std::max(value, kFocusOutlineWidth);
    return value;
  }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    // The desktop's style draws frames a shade darker than the window: on black, nothing.
    if (highContrast_ && DrawHighContrastPanel(element, *option, *painter)) return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    QProxyStyle::drawControl(element, option, painter, widget);
    // Buttons, and the frames of lists and text boxes; a label is a frame too, but never
    // has the focus.
    if (element == CE_PushButton) DrawFocusOutline(*option, *painter, kInsideBorder);
    if (element == CE_ShapedFrame) DrawFocusOutline(*option, *painter, 0);
  }

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ComboBox) DrawFocusOutline(*option, *painter, kInsideBorder);
  }

 private:
  bool DrawHighContrastPanel(PrimitiveElement element, const QStyleOption& option,
                             QPainter& painter) const {
    QPalette::ColorRole fill = QPalette::NoRole, line = QPalette::NoRole;
    switch (element) {
      case PE_PanelButtonCommand:
        fill = QPalette::Button;
        line = QPalette::ButtonText;
        break;
      case PE_Frame:
      case PE_FrameLineEdit:
        line = QPalette::WindowText;
        break;
      default:
        return false;
    }
    painter.save();
    if (fill != QPalette::NoRole) painter.fillRect(option.rect, option.palette.color(fill));
    painter.setPen(option.palette.color(line));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(option.rect.adjusted(0, 0, -1, -1));
    painter.restore();
    return true;
  }

  static void DrawFocusOutline(const QStyleOption& option, QPainter& painter, int inset) {
    if (option.state & State_HasFocus) ::DrawFocusOutline(painter, option.rect, inset);
  }

  bool highContrast_;
};

}  // namespace

void InstallLookStyle(bool highContrast) {
  gHighContrastLook = highContrast;
  QApplication::setStyle(new LookStyle(highContrast));
}

void DrawFocusOutline(QPainter& painter, const QRect& rect, int inset) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPen pen(gHighContrastLook ? kHighContrastFocusOutline : kFocusOutline, kFocusOutlineWidth);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  // Inside the control's own rectangle, which is all it repaints when the focus moves.
  const double middle = inset + kFocusOutlineWidth / 2.0;
  painter.drawRect(QRectF(rect).adjusted(middle, middle, -middle, -middle));
  painter.restore();
}

QPalette HighContrastPalette(LookPart part) {
  QPalette palette(kHighContrastText, kHighContrastBackground);
  const QColor text = part == LookPart::Heading ? kHighContrastHeading : kHighContrastText;
  const QColor back = part == LookPart::BarFill ? kHighContrastBarFill : kHighContrastBackground;
  for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::AlternateBase,
                                   QPalette::Button, QPalette::ToolTipBase}) {
    palette.setColor(role, back);
  }
  for (QPalette::ColorRole role :
       {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::BrightText,
        QPalette::ToolTipText, QPalette::Light, QPalette::Midlight, QPalette::Dark}) {
    palette.setColor(role, text);
  }
  palette.setColor(QPalette::Mid, QColor(160, 160, 160));
  palette.setColor(QPalette::Shadow, kHighContrastText);
  palette.setColor(QPalette::Highlight, kHighContrastHighlight);
  palette.setColor(QPalette::HighlightedText, kHighContrastBackground);
  palette.setColor(QPalette::Link, kHighContrastHeading);
  palette.setColor(QPalette::LinkVisited, kHighContrastHeading);
  palette.setColor(QPalette::PlaceholderText, kHighContrastText);
  // Disabled text keeps 7:1 on black and still reads as disabled.
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Disabled, role, kHighContrastDisabled);
  }
  return palette;
}

void SetLookPart(QWidget* widget, LookPart part) {
  widget->setProperty(kPartProperty, static_cast<int>(part));
}
