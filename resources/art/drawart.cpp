// Draws the program's pictures: the splash beside the wizard pages, the hand control held in
// programming mode, and the program's icon (scalable SVG and 256 px PNG, for the desktop and the
// window). Run through resources/art/render; the files it writes are committed.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QSvgGenerator>
#include <QtMath>
#include <cmath>
#include <cstdio>

namespace {

const QColor kBody(46, 48, 54);
const QColor kBodyEdge(20, 20, 24);
const QColor kLcd(170, 196, 96);
const QColor kLcdText(28, 40, 18);
const QColor kKey(86, 90, 100);
const QColor kKeyText(235, 235, 235);
const QColor kSkin(232, 182, 146);
const QColor kSkinShade(196, 140, 108);

QFont Face(const char* family, double pixels, bool bold = false) {
  QFont font(family);
  font.setPixelSize(qRound(pixels));
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

void Stars(QPainter& p, const QRect& area, int count, quint32 seed) {
  QRandomGenerator random(seed);
  for (int i = 0; i < count; ++i) {
    const int x = area.left() + random.bounded(area.width());
    const int y = area.top() + random.bounded(area.height());
    const int glow = 120 + random.bounded(136);
    p.setPen(QColor(glow, glow, qMin(255, glow + 30)));
    p.drawPoint(x, y);
  }
}

// The maker's mark: a ringed planet inside a circle, with the name below.
void LogoMark(QPainter& p, QPointF centre, double radius) {
  p.setPen(QPen(QColor(255, 192, 128), 2));
  p.setBrush(QColor(24, 36, 72));
  p.drawEllipse(centre, radius, radius);
  QRadialGradient planet(centre - QPointF(radius * 0.2, radius * 0.2), radius * 0.5);
  planet.setColorAt(0, QColor(255, 236, 190));
  planet.setColorAt(1, QColor(214, 140, 60));
  p.setPen(Qt::NoPen);
  p.setBrush(planet);
  p.drawEllipse(centre, radius * 0.42, radius * 0.42);
  p.save();
  p.translate(centre);
  p.rotate(-20);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 192), 1.6));
  p.drawEllipse(QPointF(0, 0), radius * 0.8, radius * 0.22);
  p.restore();
  // The front half of the planet covers the back of the ring.
  p.save();
  p.setClipRect(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, radius * 0.95));
  p.setPen(Qt::NoPen);
  p.setBrush(planet);
  p.drawEllipse(centre, radius * 0.42, radius * 0.42);
  p.restore();
}

// A small keypad with a display, used for both pictures.
void HandControl(QPainter& p, const QRectF& body, const QString& line1, const QString& line2,
                 double textPixels) {
  QLinearGradient shade(body.topLeft(), body.topRight());
  shade.setColorAt(0, kBody.lighter(130));
  shade.setColorAt(0.5, kBody);
  shade.setColorAt(1, kBody.darker(140));
  p.setPen(QPen(kBodyEdge, 1.5));
  p.setBrush(shade);
  p.drawRoundedRect(body, body.width() * 0.18, body.width() * 0.18);

  const QRectF lcd(body.left() + body.width() * 0.1, body.top() + body.height() * 0.07,
                   body.width() * 0.8, body.height() * 0.16);
  p.setPen(QPen(QColor(10, 10, 10), 2));
  p.setBrush(kLcd);
  p.drawRoundedRect(lcd, 2, 2);
  if (!line1.isEmpty() || !line2.isEmpty()) {
    p.setPen(kLcdText);
    p.setFont(Face("Liberation Mono", textPixels, true));
    const QRectF inner = lcd.adjusted(2, 2, -2, -2);
    p.drawText(QRectF(inner.left(), inner.top(), inner.width(), inner.height() / 2),
               Qt::AlignLeft | Qt::AlignVCenter, line1);
    p.drawText(QRectF(inner.left(), inner.center().y(), inner.width(), inner.height() / 2),
               Qt::AlignLeft | Qt::AlignVCenter, line2);
  }
}

// Keys in rows of three below the display; returns the rectangle of the given key.
QRectF KeyRect(const QRectF& body, int row, int column) {
  const double left = body.left() + body.width() * 0.12;
  const double top = body.top() + body.height() * 0.30;
  const double pitchX = body.width() * 0.27;
  const double pitchY = body.height() * 0.105;
  return QRectF(left + column * pitchX, top + row * pitchY, pitchX * 0.78, pitchY * 0.7);
}

void Keys(QPainter& p, const QRectF& body, const QStringList& labels, double textPixels) {
  for (int i = 0; i < labels.size(); ++i) {
    const QRectF key = KeyRect(body, i / 3, i % 3);
    p.setPen(QPen(kBodyEdge, 1));
    p.setBrush(kKey);
    p.drawRoundedRect(key, 3, 3);
    if (textPixels > 0) {
      p.setPen(kKeyText);
      p.setFont(Face("Liberation Sans", textPixels, true));
      p.drawText(key, Qt::AlignCenter, labels[i]);
    }
  }
}

// A finger from base to tip whose tip rests on a key, nail up.
void Finger(QPainter& p, QPointF tip, QPointF base, double width) {
  const QPointF d = base - tip;
  const double length = std::hypot(d.x(), d.y());
  p.save();
  p.translate(tip);
  p.rotate(qRadiansToDegrees(std::atan2(-d.x(), d.y())));
  QLinearGradient skin(QPointF(-width / 2, 0), QPointF(width / 2, 0));
  skin.setColorAt(0, kSkinShade);
  skin.setColorAt(0.45, kSkin);
  skin.setColorAt(1, kSkinShade);
  p.setPen(QPen(kSkinShade.darker(130), 1));
  p.setBrush(skin);
  p.drawRoundedRect(QRectF(-width / 2, -width * 0.2, width, length + width), width / 2, width / 2);
  p.setBrush(QColor(246, 214, 200));
  p.drawRoundedRect(QRectF(-width * 0.3, -width * 0.05, width * 0.6, width * 0.55), 3, 3);
  p.setPen(QPen(kSkinShade.darker(115), 1));
  for (double knuckle : {0.35, 0.7}) {
    p.drawLine(QPointF(-width * 0.28, length * knuckle), QPointF(width * 0.28, length * knuckle));
  }
  p.restore();
}

// The back of the hand, lower right, from which the fingers reach up to the keys.
void Palm(QPainter& p, QPointF centre, double rx, double ry) {
  QRadialGradient skin(centre - QPointF(rx * 0.3, ry * 0.3), rx * 1.2);
  skin.setColorAt(0, kSkin);
  skin.setColorAt(1, kSkinShade);
  p.setPen(QPen(kSkinShade.darker(130), 1));
  p.setBrush(skin);
  p.drawEllipse(centre, rx, ry);
}

QImage Splash() {
  QImage image(120, 226, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 226);
  sky.setColorAt(0, QColor(10, 16, 44));
  sky.setColorAt(0.65, QColor(18, 30, 70));
  sky.setColorAt(1, QColor(36, 30, 34));
  p.fillRect(image.rect(), sky);
  Stars(p, QRect(0, 0, 120, 150), 60, 7);

  LogoMark(p, QPointF(60, 30), 22);
  p.setPen(QColor(255, 255, 192));
  p.setFont(Face("Liberation Sans", 10, true));
  p.drawText(QRectF(0, 55, 120, 14), Qt::AlignCenter, "CORVANE");
  p.setFont(Face("Liberation Sans", 7));
  p.setPen(QColor(255, 192, 128));
  p.drawText(QRectF(0, 68, 120, 10), Qt::AlignCenter, "INSTRUMENTS");

  // Telescope: a tube pointing at the sky on a fork mount and tripod.
  p.setPen(QPen(QColor(150, 150, 160), 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(52, 140), QPointF(30, 196));
  p.drawLine(QPointF(52, 140), QPointF(52, 200));
  p.drawLine(QPointF(52, 140), QPointF(74, 196));
  p.setPen(QPen(QColor(20, 20, 24), 1));
  p.setBrush(QColor(60, 62, 70));
  p.drawRoundedRect(QRectF(44, 128, 16, 14), 3, 3);
  p.save();
  p.translate(52, 124);
  p.rotate(-38);
  QLinearGradient tube(0, -9, 0, 9);
  tube.setColorAt(0, QColor(250, 250, 252));
  tube.setColorAt(0.5, QColor(200, 204, 214));
  tube.setColorAt(1, QColor(120, 124, 136));
  p.setBrush(tube);
  p.drawRoundedRect(QRectF(-26, -9, 62, 18), 3, 3);
  p.setBrush(QColor(30, 30, 36));
  p.drawRect(QRectF(34, -10, 6, 20));
  p.setBrush(QColor(200, 200, 210));
  p.drawRect(QRectF(-6, -14, 16, 5));
  p.restore();

  // The hand control on its coiled cable, lower right.
  p.setPen(QPen(QColor(30, 30, 30), 1.6));
  p.setBrush(Qt::NoBrush);
  QPainterPath cable(QPointF(56, 134));
  cable.cubicTo(QPointF(70, 160), QPointF(78, 168), QPointF(88, 170));
  p.drawPath(cable);
  const QRectF body(76, 166, 36, 56);
  HandControl(p, body, "", "", 0);
  Keys(p, body, {"", "", "", "", "", "", "", "", "", "", "", ""}, 0);
  p.end();
  return image.convertToFormat(QImage::Format_RGB888);
}

QImage HandInProgrammingMode() {
  QImage image(200, 256, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient desk(QPointF(100, 90), 180);
  desk.setColorAt(0, QColor(150, 150, 150));
  desk.setColorAt(1, QColor(96, 96, 96));
  p.fillRect(image.rect(), desk);

  const QRectF body(34, 10, 132, 252);
  HandControl(p, body, "Transmit Data...", "", 10);
  const QStringList labels = {"UNDO", "MODE", "INFO", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
  Keys(p, body, labels, 9);
  // Two fingers of the right hand hold Undo and Info down; the key names stay readable above
  // the fingertips.
  const QRectF undo = KeyRect(body, 0, 0);
  const QRectF info = KeyRect(body, 0, 2);
  const QPointF undoTip(undo.center().x(), undo.bottom() - 2);
  const QPointF infoTip(info.center().x(), info.bottom() - 2);
  Palm(p, QPointF(150, 250), 62, 40);
  Finger(p, undoTip, QPointF(112, 232), 20);
  Finger(p, infoTip, QPointF(150, 226), 20);
  Palm(p, QPointF(158, 256), 58, 30);
  p.end();
  return image.convertToFormat(QImage::Format_RGB888);
}

// The icon on a 256 x 256 canvas: the hand control on a night-sky tile, with an arrow bringing
// new firmware down into its display. No text, so that it reads at 16 px and scales as SVG.
void Icon(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 16, 0, 240);
  sky.setColorAt(0, QColor(10, 16, 44));
  sky.setColorAt(1, QColor(28, 46, 100));
  p.setPen(QPen(QColor(255, 192, 128), 6));
  p.setBrush(sky);
  p.drawRoundedRect(QRectF(12, 12, 232, 232), 44, 44);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 220));
  for (const QPointF star : {QPointF(44, 48), QPointF(70, 88), QPointF(40, 150), QPointF(210, 200),
                             QPointF(218, 140), QPointF(60, 208)}) {
    p.drawEllipse(star, 3, 3);
  }

  const QRectF body(88, 56, 84, 172);
  HandControl(p, body, "", "", 0);
  Keys(p, body, {"", "", "", "", "", "", "", "", "", "", "", ""}, 0);

  // The arrow: a shaft from the upper right, bending into the top of the display.
  QPainterPath arrow;
  arrow.moveTo(196, 28);
  arrow.lineTo(222, 28);
  arrow.lineTo(222, 74);
  arrow.lineTo(238, 74);
  arrow.lineTo(209, 110);
  arrow.lineTo(180, 74);
  arrow.lineTo(196, 74);
  arrow.closeSubpath();
  QLinearGradient fill(0, 28, 0, 110);
  fill.setColorAt(0, QColor(255, 236, 190));
  fill.setColorAt(1, QColor(240, 140, 40));
  p.setPen(QPen(QColor(120, 60, 10), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(fill);
  p.drawPath(arrow);
}

QImage IconImage() {
  QImage image(256, 256, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  Icon(p);
  p.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

bool WriteIconSvg(const QString& file) {
  QSvgGenerator svg;
  svg.setFileName(file);
  svg.setSize(QSize(256, 256));
  svg.setViewBox(QRect(0, 0, 256, 256));
  svg.setTitle("PadFlasher");
  svg.setDescription("A telescope hand control receiving new firmware");
  QPainter p;
  if (!p.begin(&svg)) return false;
  Icon(p);
  return p.end();
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: drawart <output folder>\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const bool ok = Splash().save(folder + "/splash.png") &&
                  HandInProgrammingMode().save(folder + "/handcontrol.png") &&
                  IconImage().save(folder + "/padflasher.png") &&
                  WriteIconSvg(folder + "/padflasher.svg");
  return ok ? 0 : 1;
}
