// Helper of scripts/screenshots, built by it on the fly:
//   screenshots-helper grab WINDOW-ID FILE.png    saves a window of the X display as PNG
//   screenshots-helper image FILE CODE FIRST-LAST...
//                                                 writes a firmware image: erased, patterned
//                                                 data in the given blocks, the signature and
//                                                 the four-hex-digit identification code
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstring>

namespace {

int Grab(const char* window, const char* file) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 1;
  const QPixmap shot = screen->grabWindow(static_cast<WId>(std::strtoull(window, nullptr, 0)));
  return !shot.isNull() && shot.save(file) ? 0 : 1;
}

int Image(int argc, char** argv) {
  QByteArray image(262144, '\xFF');
  for (int i = 4; i < argc; ++i) {
    int first = 0, last = 0;
    if (std::sscanf(argv[i], "%d-%d", &first, &last) != 2 || first < 0 || last >= 1024) return 2;
    for (int offset = first * 256; offset < (last + 1) * 256; ++offset) {
      image[offset] = static_cast<char>((offset * 37 + offset / 256) & 0xFF);
    }
  }
  const unsigned code = std::strtoul(argv[3], nullptr, 16);
  image[0xFFE0] = '\x55';
  image[0xFFE1] = '\xAA';
  image[0xFFFE] = static_cast<char>(code & 0xFF);
  image[0xFFFF] = static_cast<char>(code >> 8);
  QFile out(argv[2]);
  return out.open(QIODevice::WriteOnly) && out.write(image) == image.size() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "grab") == 0) {
    QGuiApplication app(argc, argv);
    return Grab(argv[2], argv[3]);
  }
  if (argc >= 4 && std::strcmp(argv[1], "image") == 0) return Image(argc, argv);
  std::fprintf(stderr, "usage: screenshots-helper grab WINDOW FILE | image FILE CODE RANGE...\n");
  return 2;
}
