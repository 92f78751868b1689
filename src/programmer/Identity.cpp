// What firmware the image holds and what the hand control holds, and the status text.
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
const char* const kUnknown = "Unknown";

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
  auto unknownIdentity = [&](const std::string& code) {
    line(std::string("Version: ") + kUnknown);
    line(std::string("Type: ") + kUnknown);
    line("CSUM: " + code);
  };
  if (gComPort.empty()) {
    line("No COM port specified!");
    line("");
  }
  if (!gFirmwareFile.empty()) {
    line("File: " + gFirmwareFile);
    std::string typeName;
    int16_t major = 0, minor = 0;
    if (gImageLoadFailed) {
      unknownIdentity("");
    } else if (GetFileVersion(typeName, major, minor)) {
      line("Version: " + VersionText(major, minor));
      line("Type: " + typeName);
    } else {
      unknownIdentity(gFileChecksum);
    }
  }
  if (!gComPort.empty()) {
    line(separator);
    line("Hand Control");
    if (gHcType != kUnknown) {
      line("Version: " + VersionText(gHcMajor, gHcMinor));
      line("Type: " + gHcType);
    } else {
      unknownIdentity(gHcChecksum);
    }
  }
  line(separator);
  line("");
  line("EXE Version: " + ProgramVersionText());
  return text;
}
