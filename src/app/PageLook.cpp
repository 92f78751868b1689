#include "pages/PageLook.h"

#include <QFont>
#include <QPalette>
#include <QWidget>

#include "wizard/WizardStyle.h"

// Resources compiled into a static library need an explicit reference, or the linker drops them.
static void InitArtResources() {
  Q_INIT_RESOURCE(padflasher);
}

void PaintPage(QWidget* page, const QColor& text) {
  SetBackground(page, kPageGrey.red(), kPageGrey.green(), kPageGrey.blue());
  SetTextColour(page, text);
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
}

QFont BoldSansFont() {
  QFont font("Liberation Sans");
  font.setPointSize(8);
  font.setBold(true);
  return font;
}

QPixmap ArtPixmap(const QString& name) {
  static const bool ready = (InitArtResources(), true);
  (void)ready;
  return QPixmap(":/art/" + name + ".png");
}
