// screenshots-helper grab WINDOW-ID FILE.png: saves a window of the X display as PNG, for
// scripts/screenshots (xdotool finds the windows; it cannot save them).
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 4 || std::strcmp(argv[1], "grab") != 0) {
    std::fprintf(stderr, "usage: screenshots-helper grab WINDOW FILE\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 1;
  const QPixmap shot = screen->grabWindow(static_cast<WId>(std::strtoull(argv[2], nullptr, 0)));
  return !shot.isNull() && shot.save(argv[3]) ? 0 : 1;
}
