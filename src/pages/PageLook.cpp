#include "pages/PageLook.h"

#include <QFont>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

// Resources compiled into a static library need an explicit reference, or the linker drops them.
static void InitArtResources() {
  Q_INIT_RESOURCE(padflasher);
}

void PaintPage(QWidget* page, const QColor& text) {
  QPalette palette = page->palette();
  palette.setColor(QPalette::Window, kPageGrey);
  palette.setColor(QPalette::WindowText, text);
  page->setPalette(palette);
  page->setAutoFillBackground(true);
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
}

void StyleButton(QPushButton* button) {
  QFont font("Arial");
  font.setPointSize(9);
  font.setBold(true);
  font.setItalic(true);
  button->setFont(font);
  QPalette palette = button->palette();
  palette.setColor(QPalette::Button, kButtonColour);
  palette.setColor(QPalette::ButtonText, Qt::black);
  button->setPalette(palette);
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
