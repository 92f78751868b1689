#pragma once
// The program's style over the desktop's own. Every control that takes the keyboard shows a
// clear outline while it has the focus; with the high contrast setting every window of the
// program (wizard, Web Updates, message boxes, dialogs) draws its text at 7:1 or more against
// its background, light on black.
#include <QColor>
#include <QPalette>

class QPainter;
class QRect;
class QWidget;

// The few parts of the look that keep a colour of their own under high contrast.
enum class LookPart { Plain, Heading, BarFill };

inline const QColor kHighContrastText(255, 255, 255);
inline const QColor kHighContrastBackground(0, 0, 0);
inline const QColor kHighContrastHeading(255, 255, 0);
inline const QColor kHighContrastDisabled(63, 242, 63);
inline const QColor kHighContrastHighlight(26, 235, 255);
// Dark enough that the bar's white text stays readable where the fill has reached it.
inline const QColor kHighContrastBarFill(0, 96, 0);
// The focus outline: black inside the look's light buttons and boxes, yellow on black.
inline const QColor kFocusOutline(0, 0, 0);
inline const QColor kHighContrastFocusOutline(255, 255, 0);

// Sets the application's style, for the windows that exist and those made later; called once
// the settings are read, and again to switch.
void InstallLookStyle(bool highContrast);
// The focus outline, kFocusOutlineWidth wide, inside rect with inset pixels left free at its
// edge; for a widget that draws its own focus (a page without controls).
constexpr int kFocusOutlineWidth = 2;
void DrawFocusOutline(QPainter& painter, const QRect& rect, int inset = 0);
// What a widget shows under high contrast, by its part.
QPalette HighContrastPalette(LookPart part = LookPart::Plain);
void SetLookPart(QWidget* widget, LookPart part);
