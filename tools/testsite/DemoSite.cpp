// The demo's download site: one firmware image with its description, and one program file that
// the installed program does not have yet, so both the download and the self-update can be shown.
#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>

#include "TestImage.h"
#include "TestSite.h"

namespace {

// Identification word of the demo image, listed in the catalogue as version 2.00.
constexpr uint16_t kDemoCode = 0x2B1C;

QByteArray DemoImage() {
  // A few non-blank blocks in either bank, so programming has something to write.
  const auto image = testimage::MakeImage({{0, 15}, {512, 515}}, kDemoCode, 200);
  return QByteArray::fromStdString(*image);
}

// The SHA-256 field that proves a file under a signed catalogue.
QByteArray HashField(const QByteArray& bytes) {
  return "," + QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

}  // namespace

bool MakeDemoSite(const QString& folder, const std::vector<std::string>& extraVersions) {
  QDir dir(folder);
  if (!dir.mkpath(".")) return false;
  QByteArray image = DemoImage();
  QByteArray notes =
      "PadFlasher demo: this file came from the demo download site through the program's "
      "self-update.\r\n";
  QString today = QDate::currentDate().toString("yyyy-MM-dd");
  QByteArray catalogue;
  catalogue += "$PadFlasher-notes.txt," + today.toLatin1() + "," +
               QByteArray::number(notes.size()) + HashField(notes) + "\r\n";
  catalogue += "@DEMO200.bin,2026-11-01," + QByteArray::number(image.size()) +
               ",A,Demo HC,2B1C,2,0" + HashField(image) + "\r\n";
  catalogue += "Demo firmware 2.00 for the simulated hand control.\r\n";
  catalogue += "Downloaded from the demo site.\r\n";
  for (const std::string& row : extraVersions) {
    // Status,Type,Code,Major,Minor -> a firmware line that only lists a version.
    QList<QByteArray> f = QByteArray::fromStdString(row).split(',');
    while (f.size() < 5) f.append("");
    catalogue += "@" + f[2].trimmed() + ".bin,2000-01-01,0,I," + f[1] + "," + f[2] + "," + f[3] +
                 "," + f[4] + "\r\n";
  }
  return WriteAll(dir.filePath("DEMO200.bin"), image) &&
         WriteAll(dir.filePath("PadFlasher-notes.txt"), notes) &&
         WriteAll(dir.filePath("catalogue.txt"), catalogue);
}
