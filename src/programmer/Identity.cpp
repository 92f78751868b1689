// What firmware the image holds and what the hand control holds, and the status text.
#include <QCoreApplication>

#include "base/Message.h"
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "programmer/LinkInternal.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "startup/Versions.h"

std::string gHcType = "Unknown";
int16_t gHcMajor = 0, gHcMinor = 0;
std::string gHcChecksum;

namespace {

constexpr int kQueryReplyLength = 95;
constexpr int kCodeColumn = 88;  // characters 89 to 92, counted from 1
const char* const kUnknown = QT_TRANSLATE_NOOP("Identity", "Unknown");

// The status block's lines; the values in them (type names, versions) are data, not words.
std::string StatusLine(const char* text, const std::string& value) {
  return FillArguments(QCoreApplication::translate("Identity", text).toStdString(), {value});
}

bool LookUp(const std::string& code, std::string& typeName, int16_t& major, int16_t& minor) {
  const VersionEntry* entry = FindVersion(code);
  typeName = entry ? entry->TypeName : kUnknown;
  major = entry ? entry->Major : 0;
  minor = entry ? entry->Minor : 0;
  return entry != nullptr;
}

}  // namespace

bool GetFileVersion(std::string& typeName, int16_t& major, int16_t& minor) {
  gFileChecksum = HexPad(gImage[0xFFFF] << 8 | gImage[0xFFFE], 4);
  return LookUp(gFileChecksum, typeName, major, minor);
}

bool QueryHandControlVersion(std::string& typeName, int16_t& major, int16_t& minor) {
  std::string reply;
  const bool answered = SendCommand("@@3XXXXXXXX", kQueryReplyLength, 2000, 1, reply);
  const bool present = PingHandControl();
  if (!answered || !present) {
    // No code to look up: an empty versions entry must not name a silent hand control.
    typeName = kUnknown;
    major = minor = 0;
    return false;
  }
  gHcChecksum = reply.substr(kCodeColumn, 4);
  return LookUp(gHcChecksum, typeName, major, minor);
}

void RefreshHandControlInfo() {
  gHcType = kUnknown;
  gHcMajor = gHcMinor = 0;
  std::string typeName;
  int16_t major = 0, minor = 0;
  if (!gComPort.empty() && QueryHandControlVersion(typeName, major, minor)) {
    gHcType = typeName;
    gHcMajor = major;
    gHcMinor = minor;
  }
}

std::string BuildStatusText() {
  const std::string crlf = link_detail::kCrLf;
  const std::string separator = "___________________";
  std::string text;
  auto line = [&](const std::string& s) { text += s + crlf; };
  const std::string unknown = QCoreApplication::translate("Identity", kUnknown).toStdString();
  auto unknownIdentity = [&](const std::string& code) {
    line(StatusLine(QT_TRANSLATE_NOOP("Identity", "Version: %1"), unknown));
    line(StatusLine(QT_TRANSLATE_NOOP("Identity", "Type: %1"), unknown));
    line(StatusLine(QT_TRANSLATE_NOOP("Identity", "CSUM: %1"), code));
  };
  if (gComPort.empty()) {
    line(QCoreApplication::translate("Identity", "No COM port specified!").toStdString());
    line("");
  }
  if (!gFirmwareFile.empty()) {
    line(StatusLine(QT_TRANSLATE_NOOP("Identity", "File: %1"), gFirmwareFile));
    std::string typeName;
    int16_t major = 0, minor = 0;
    if (gImageLoadFailed) {
      unknownIdentity("");
    } else if (GetFileVersion(typeName, major, minor)) {
      line(StatusLine("Version: %1", VersionText(major, minor)));
      line(StatusLine("Type: %1", typeName));
    } else {
      unknownIdentity(gFileChecksum);
    }
  }
  if (!gComPort.empty()) {
    line(separator);
    line(QCoreApplication::translate("Identity", "Hand Control").toStdString());
    if (gHcType != kUnknown) {
      line(StatusLine("Version: %1", VersionText(gHcMajor, gHcMinor)));
      line(StatusLine("Type: %1", gHcType));
    } else {
      unknownIdentity(gHcChecksum);
    }
  }
  line(separator);
  line("");
  line(StatusLine(QT_TRANSLATE_NOOP("Identity", "EXE Version: %1"), ProgramVersionText()));
  return text;
}
