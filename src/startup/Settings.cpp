#include "startup/Settings.h"

#include "base/DebugLog.h"
#include "base/LogMasking.h"
#include "base/TextUtil.h"
#include "ini/INIfile.h"

std::string gComPort;
std::string gURL;
std::string gDefaultURL;
bool gQueryVerify = false;
bool gHighContrast = false;
std::string DomainUser, DomainPassword, DomainName, DomainPath, DomainDir;
std::string DomainScheme = "http";
std::string gPublicKey;
std::string gCAFile;

namespace {
constexpr const char* kGroup = "[PADFLASHER]";
// The built-in download address, each character one code higher, so that it does not stand out
// in the executable: "https://downloads.example.com/padflasher/webupdate.txt".
constexpr const char* kScrambledURL = "iuuqt;00epxompbet/fybnqmf/dpn0qbegmbtifs0xfcvqebuf/uyu";

bool IsTrue(const std::string& value) {
  return UpperAscii(value) == "TRUE";
}
}  // namespace

std::string DefaultURL() {
  std::string url = kScrambledURL;
  for (char& c : url) c = static_cast<char>(static_cast<unsigned char>(c) - 1);
  return url;
}

void SplitURL(const std::string& url, std::string& user, std::string& password, std::string& host,
              std::string& path, std::string& dir) {
  std::string address;
  URLScheme(url, &address);
  for (char& c : address)
    if (c == '\\') c = '/';
  user.clear();
  password.clear();
  const auto first = address.find('/');
  if (first == std::string::npos) {
    // No "/" at all: the whole text names the server, with no folder and no catalogue.
    host = address;
    path.clear();
    dir.clear();
  } else {
    const auto last = address.rfind('/');
    host = address.substr(0, first);
    path = address.substr(first, last - first);
    dir = address.substr(last);
  }
  const auto colon = host.find(':');
  const auto at = host.find('@');
  // Credentials only in the form user:password@host; "user@host:port" and the like stay whole.
  // Inside them "@", "/", "\", ":" and "%" are written %40, %2F, %5C, %3A and %25.
  if (colon != std::string::npos && at != std::string::npos && colon < at) {
    user = PercentDecoded(host.substr(0, colon));
    password = PercentDecoded(host.substr(colon + 1, at - colon - 1));
    host = host.substr(at + 1);
  }
  // A password written with a bare "@" or "/" would spill into the host name or the path, and
  // from there into the log, messages and the window caption: such an address is not used.
  if (HasBareCredentials(address)) {
    user.clear();
    password.clear();
    host.clear();
    path.clear();
    dir.clear();
  }
}

void LoadSettings(const std::string& fileName) {
  gComPort.clear();
  gDefaultURL = DefaultURL();
  gURL = gDefaultURL;
  gQueryVerify = false;
  gHighContrast = false;
  gPublicKey.clear();
  gCAFile.clear();

  INIfile doc;
  doc.LoadFile(fileName);
  for (const INIline& line : doc.INIlines()) {
    if (line.Group != kGroup || line.Section == line.Group) continue;
    if (line.Section == "COMPORT")
      gComPort = UpperAscii(line.Value);
    else if (line.Section == "DEBUGFILTER10")
      SetDebugEnabled(IsTrue(line.Value));
    else if (line.Section == "URL")
      gURL = line.Value;
    else if (line.Section == "QUERYVERIFY")
      gQueryVerify = IsTrue(line.Value);
    else if (line.Section == "HIGHCONTRAST")
      gHighContrast = IsTrue(line.Value);
    else if (line.Section == "PUBLICKEY")
      gPublicKey = line.Value;
    else if (line.Section == "CAFILE")
      gCAFile = line.Value;
  }

  SplitSettingsURL();
  DebugLog("gURL = " + MaskedURL(gURL));
  DebugLog("DomainUser = " + DomainUser);
  DebugLog("DomainPassword = " + MaskedPassword(DomainPassword));
  DebugLog("DomainName = " + DomainName);
  DebugLog("DomainPath = " + DomainPath);
  DebugLog("DomainDir = " + DomainDir);
  // Only when set, so that the log of a settings file without them reads as it always has.
  if (!gPublicKey.empty()) DebugLog("PUBLICKEY = " + gPublicKey);
  if (!gCAFile.empty()) DebugLog("CAFILE = " + gCAFile);
}

void SplitSettingsURL() {
  DomainScheme = URLScheme(gURL);
  SplitURL(gURL, DomainUser, DomainPassword, DomainName, DomainPath, DomainDir);
}

bool SaveSettings(const std::string& fileName) {
  INIfile doc;
  INIlines& lines = doc.INIlines();
  lines.Add(kGroup, "", "");
  lines.Add(kGroup, "COMport", gComPort);
  if (DebugEnabled()) lines.Add(kGroup, "DebugFilter10", "True");
  if (gURL != gDefaultURL) lines.Add(kGroup, "URL", gURL);
  if (gQueryVerify) lines.Add(kGroup, "QUERYVERIFY", "True");
  if (gHighContrast) lines.Add(kGroup, "HIGHCONTRAST", "True");
  if (!gPublicKey.empty()) lines.Add(kGroup, "PUBLICKEY", gPublicKey);
  if (!gCAFile.empty()) lines.Add(kGroup, "CAFILE", gCAFile);
  return doc.SaveFile(fileName);
}
