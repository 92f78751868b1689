#include "webupdate/Catalogue.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <limits>

#include "base/AtomicFile.h"
#include "base/DebugLog.h"
#include "base/DescriptionFile.h"
#include "base/LogMasking.h"
#include "base/Message.h"
#include "base/TextUtil.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "webupdate/CatalogueHistory.h"
#include "webupdate/HTTPClass.h"

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string::npos;) {
    parts.push_back(text.substr(start, at - start));
    start = at + separator.size();
  }
  parts.push_back(text.substr(start));
  return parts;
}

template <typename Int>
Int ClampedNumber(const std::string& text) {
  double value = LeadingNumber(text);
  value = std::clamp(value, static_cast<double>(std::numeric_limits<Int>::min()),
                     static_cast<double>(std::numeric_limits<Int>::max()));
  return static_cast<Int>(value);
}

// Field 8 of a firmware line or 3 of a program line: a SHA-256 in hex, or nothing.
std::string HashField(const std::vector<std::string>& fields, size_t index,
                      const std::string& name) {
  if (fields.size() <= index) return "";
  std::string hash = TrimSpaces(fields[index]);
  if (hash.empty()) return "";
  std::transform(hash.begin(), hash.end(), hash.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (hash.size() != 64 || hash.find_first_not_of("0123456789abcdef") != std::string::npos) {
    DebugLog("Catalogue: ignoring malformed SHA-256 of " + name);
    return "";
  }
  return hash;
}

// Under a signed catalogue every file to fetch carries its SHA-256; a line without one is skipped
// (logged as "Catalogue: <skipping> without SHA-256 ...").
bool LacksRequiredHash(const std::string& sha256, bool requireHash, const std::string& skipping,
                       const std::string& line) {
  if (!requireHash || !sha256.empty()) return false;
  DebugLog("Catalogue: " + skipping +
           " without SHA-256 in a signed catalogue: " + EscapedForDisplay(line));
  return true;
}

// Each returns false when it skips the line, so that the description lines after it go too.
bool AddProgramLine(const std::string& line, ParsedCatalogue& parsed, bool requireHash) {
  std::vector<std::string> fields = Split(line, ",");
  fields.resize(std::max<size_t>(fields.size(), 3));
  ProgramFileEntry entry;
  entry.FileName = TrimSpaces(fields[0].substr(1));
  // A program file is never firmware: an image would be listed and flashed as one.
  if (!IsSafeFileName(entry.FileName) || EndsWithNoCase(entry.FileName, ".bin")) {
    DebugLog("Catalogue: skipping program file with unusable name: " + EscapedForDisplay(line));
    return false;
  }
  entry.PendingName = "$" + entry.FileName;
  entry.Version = EscapedForDisplay(TrimSpaces(fields[1]));
  entry.Size = ClampedNumber<int32_t>(fields[2]);
  entry.Sha256 = HashField(fields, 3, entry.FileName);
  if (LacksRequiredHash(entry.Sha256, requireHash, "skipping program file", line)) return false;
  parsed.Lists.Programs.push_back(entry);
  return true;
}

bool AddFirmwareLine(const std::string& line, ParsedCatalogue& parsed, bool requireHash) {
  std::vector<std::string> fields = Split(line, ",");
  fields.resize(std::max<size_t>(fields.size(), 8));
  std::string name = TrimSpaces(fields[0].substr(1));
  bool available = UpperAscii(fields[3]) == "A";
  VersionEntry version;
  version.Status = available ? "A" : "I";
  // Shown in status texts and on terminals: nothing from the site may steer them.
  version.TypeName = EscapedForDisplay(fields[4]);
  version.Checksum = EscapedForDisplay(fields[5]);
  version.Major = ClampedNumber<int16_t>(fields[6]);
  version.Minor = ClampedNumber<int16_t>(fields[7]);
  parsed.Versions.push_back(version);
  if (!available) return true;
  // Firmware is a ".bin" image with a ".txt" description beside it, and nothing else: a site
  // must not be able to write the settings or any other file of the program folder.
  const std::string base = name.size() > 4 ? name.substr(0, name.size() - 4) : "";
  if (!EndsWithNoCase(name, ".bin") || !IsSafeFileName(base) || !IsSafeFileName(name) ||
      !IsSafeFileName(base + ".txt")) {
    DebugLog("Catalogue: skipping firmware with unusable name: " + EscapedForDisplay(line));
    return false;
  }
  FirmwareEntry entry;
  entry.BaseName = name.substr(0, name.size() - 4);
  entry.Extension = name.substr(name.size() - 3);
  entry.Date = EscapedForDisplay(TrimSpaces(fields[1]));
  entry.Size = ClampedNumber<int32_t>(fields[2]);
  entry.Online = true;
  entry.Sha256 = HashField(fields, 8, name);
  if (LacksRequiredHash(entry.Sha256, requireHash, "not offering firmware", line)) return false;
  parsed.Lists.Firmware.push_back(entry);
  return true;
}

// A "$" line may not name the description of an image the same catalogue lists.
void DropFirmwareDescriptions(ParsedCatalogue& parsed) {
  auto& programs = parsed.Lists.Programs;
  programs.erase(std::remove_if(programs.begin(), programs.end(),
                                [&](const ProgramFileEntry& p) {
                                  for (const FirmwareEntry& f : parsed.Lists.Firmware) {
                                    if (EqualsNoCaseAscii(p.FileName, f.BaseName + ".txt")) {
                                      DebugLog("Catalogue: skipping program file " +
                                               EscapedForDisplay(p.FileName) +
                                               ", the description of a firmware image");
                                      return true;
                                    }
                                  }
                                  return false;
                                }),
                 programs.end());
}

// The catalogue's address without credentials: what its signing times are remembered under.
std::string CatalogueSite() {
  return DomainScheme + "://" + DomainName + DomainPath + DomainDir;
}

// A valid signature still refuses a catalogue whose trusted comment shows it signed before one
// already taken from the site, or signed as another file (the site's other signed files).
void CheckSigningTimeAndName(SignatureCheck& check) {
  if (check.Status != SignatureStatus::Verified) return;
  const TrustedCommentFields fields = ReadTrustedComment(check.TrustedComment);
  const std::string ownName = PercentDecoded(DomainDir.empty() ? "" : DomainDir.substr(1));
  if (fields.HasFile && fields.File != ownName) {
    check.Status = SignatureStatus::OtherFile;
    check.SignedFile = fields.File;
    return;
  }
  const int64_t newest = fields.HasTimestamp ? NewestSignedTime(CatalogueSite()) : 0;
  if (fields.Timestamp < newest) {
    check.Status = SignatureStatus::Replayed;
    check.NewestSeen = newest;
  }
}

void RememberSigningTime(const CatalogueTrust& trust) {
  if (trust.State != TrustState::Verified) return;
  const TrustedCommentFields fields = ReadTrustedComment(trust.Check.TrustedComment);
  std::string why;
  if (fields.HasTimestamp && !RememberSignedTime(CatalogueSite(), fields.Timestamp, &why))
    DebugLog("LoadCatalogue: the catalogue's signing time was not recorded: " + why);
}

}  // namespace

bool IsSafeFileName(const std::string& name) {
  if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos)
    return false;
  for (unsigned char c : name)
    if (c < 0x20 || c == 0x7F) return false;
  return !IsProgramFileName(name);
}

double LeadingNumber(const std::string& text) {
  size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return 0;
  size_t end = i;
  if (end < text.size() && (text[end] == '-' || text[end] == '+')) ++end;
  size_t digitsStart = end;
  while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
  if (end < text.size() && text[end] == '.') {
    ++end;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
  }
  std::string number = text.substr(i, end - i);
  if (end == digitsStart || number.find_first_of("0123456789") == std::string::npos) return 0;
  return std::nearbyint(std::strtod(number.c_str(), nullptr));
}

ParsedCatalogue ParseCatalogue(const std::string& reply, bool requireHashes) {
  ParsedCatalogue parsed;
  bool describing = true;  // false after a skipped line: its description goes with it
  size_t rows = 0;
  if (reply.empty()) return parsed;
  for (size_t start = 0; start <= reply.size();) {
    size_t end = reply.find("\r\n", start);
    if (end == std::string::npos) end = reply.size();
    const std::string line = TrimSpaces(reply.substr(start, end - start));
    start = end + 2;
    const bool row = !line.empty() && (line[0] == '$' || line[0] == '@');
    if (row && ++rows > kMaxCatalogueRows) {
      DebugLog("Catalogue: more than " + std::to_string(kMaxCatalogueRows) + " rows, refused");
      ParsedCatalogue refused;
      refused.HasEntries = refused.TooManyRows = true;
      return refused;
    }
    if (row) parsed.HasEntries = true;
    if (row && line[0] == '$') {
      describing = AddProgramLine(line, parsed, requireHashes);
    } else if (row) {
      describing = AddFirmwareLine(line, parsed, requireHashes);
    } else if (describing && !parsed.Lists.Firmware.empty()) {
      parsed.Lists.Firmware.back().Description += line + "\r\n";
    }
  }
  DropFirmwareDescriptions(parsed);
  return parsed;
}

bool OpenDownloadSite(HTTPClass& http) {
  const bool https = DomainScheme == "https";
  if (https) http.UseHttps(gCAFile);
  return http.OpenHTTP(DomainName, https ? 443 : 80, DomainUser, DomainPassword);
}

namespace {

const char* TrustText(const CatalogueTrust& trust) {
  switch (trust.State) {
    case TrustState::NotChecked:
      return "";
    case TrustState::Unverified:
      return QT_TRANSLATE_NOOP("Web", "Not verified");
    case TrustState::Verified:
      return QT_TRANSLATE_NOOP("Web", "Verified, key ID %1");
    case TrustState::Rejected:
      switch (trust.Check.Status) {
        case SignatureStatus::Missing:
          return QT_TRANSLATE_NOOP("Web", "Signature missing");
        case SignatureStatus::Replayed:
          return QT_TRANSLATE_NOOP("Web", "Older than a catalogue seen");
        case SignatureStatus::OtherFile:
          return QT_TRANSLATE_NOOP("Web", "Signed for another file");
        default:
          return QT_TRANSLATE_NOOP("Web", "Signature not valid");
      }
  }
  return "";
}

}  // namespace

std::string TrustLabel(const CatalogueTrust& trust, bool english) {
  const char* text = TrustText(trust);
  if (!*text) return "";
  return FillArguments(english ? text : QCoreApplication::translate("Web", text).toStdString(),
                       {trust.Check.KeyId});
}

CatalogueResult LoadCatalogue(WebLists& lists, IHost& host, const TransferProgress& progress) {
  lists = {};
  const PublicKeyList keys = ParsePublicKeys(gPublicKey);
  for (const std::string& rejected : keys.Rejected)
    DebugLog("PUBLICKEY: not a minisign public key, ignored: " + rejected);
  HTTPClass http(host);
  QObject::connect(&http, &HTTPClass::Progress, [&](int bytes) {
    if (progress) progress(bytes, 0);
  });
  if (!OpenDownloadSite(http)) return CatalogueResult::Unreachable;
  std::string reply = http.SendRequest(DomainPath + DomainDir, "GET", true);
  if (reply.empty()) return CatalogueResult::Failed;
  if (http.StatusCode() < 200 || http.StatusCode() > 299) {
    DebugLog("LoadCatalogue: status " + std::to_string(http.StatusCode()) +
             ", versions left as they were");
    return CatalogueResult::Failed;
  }
  if (keys.Wanted) {
    http.SetMaxBytes(kMaxSignatureFileBytes);
    QByteArray signature = http.SendRequestBinary(DomainPath + DomainDir + ".minisig", "GET", true);
    lists.Trust.Check = VerifyMinisign(reply, signature.toStdString(), keys.Keys);
    CheckSigningTimeAndName(lists.Trust.Check);
    DebugLog("LoadCatalogue: " + DescribeSignature(lists.Trust.Check, true));
    if (lists.Trust.Check.Status != SignatureStatus::Verified) {
      lists.Trust.State = TrustState::Rejected;
      DebugLog("LoadCatalogue: catalogue refused, versions left as they were");
      return CatalogueResult::BadSignature;
    }
    lists.Trust.State = TrustState::Verified;
    DebugLog("LoadCatalogue: trusted comment: " +
             EscapedForDisplay(lists.Trust.Check.TrustedComment));
  } else {
    lists.Trust.State = TrustState::Unverified;
    DebugLog("LoadCatalogue: no PUBLICKEY is set, the catalogue was not verified");
  }
  ParsedCatalogue parsed = ParseCatalogue(reply, keys.Wanted);
  if (!parsed.HasEntries) {
    DebugLog("LoadCatalogue: the reply is not a catalogue, versions left as they were");
    return CatalogueResult::NotCatalogue;
  }
  if (parsed.TooManyRows) return CatalogueResult::TooManyRows;
  CatalogueTrust trust = lists.Trust;
  lists = std::move(parsed.Lists);
  lists.Trust = trust;
  gVersions = std::move(parsed.Versions);
  RememberSigningTime(lists.Trust);
  if (!SaveVersions(VersionsFileName(), &lists.VersionsError))
    return CatalogueResult::VersionsNotSaved;
  return CatalogueResult::Loaded;
}

namespace {

// Date and size of a file in the folder, by the name's bytes (which need not be UTF-8).
void LocalFileFacts(const std::string& path, FirmwareEntry& entry) {
  namespace fs = std::filesystem;
  std::error_code error;
  const uintmax_t size = fs::file_size(fs::path(path), error);
  entry.Size = error ? 0 : static_cast<int32_t>(std::min<uintmax_t>(size, INT32_MAX));
  const fs::file_time_type written = fs::last_write_time(fs::path(path), error);
  if (error) return;
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
      std::chrono::file_clock::to_sys(written).time_since_epoch());
  entry.Date = QDateTime::fromSecsSinceEpoch(seconds.count())
                   .toLocalTime()
                   .toString("yyyy-MM-dd")
                   .toStdString();
}

}  // namespace

void LoadLocalFiles(std::vector<FirmwareEntry>& firmware, const std::string& folder) {
  for (const std::string& name : FileNamesIn(folder)) {
    if (name.size() <= 4 || !EndsWithNoCase(name, ".bin")) continue;
    std::string base = name.substr(0, name.size() - 4);
    auto known = std::find_if(firmware.begin(), firmware.end(), [&](const FirmwareEntry& e) {
      return EqualsNoCaseAscii(e.BaseName, base);
    });
    if (known != firmware.end()) {
      known->Local = true;
      continue;
    }
    FirmwareEntry entry;
    entry.BaseName = base;
    entry.Local = true;
    LocalFileFacts(folder + "/" + name, entry);
    firmware.push_back(entry);
  }
  for (FirmwareEntry& entry : firmware) {
    if (!entry.Local || entry.Online) continue;
    const std::string description = FindFileNoCase(folder, entry.BaseName + ".txt");
    std::string why;
    if (!description.empty() && !ReadDescriptionFile(description, entry.Description, why))
      DebugLog("Description file " + description + " not read: " + why);
  }
}

void SortFirmwareList(std::vector<FirmwareEntry>& firmware) {
  // 1-based as the positions are usually described; entry k lives at firmware[k - 1].
  const int count = static_cast<int>(firmware.size());
  for (int gap = count / 2; gap >= 1; gap /= 2) {
    for (int i = gap; i <= count - 1; ++i) {
      for (int j = i - gap + 1; j >= 1; j -= gap) {
        if (firmware[j - 1].BaseName <= firmware[j + gap - 1].BaseName) break;
        std::swap(firmware[j - 1], firmware[j + gap - 1]);
      }
    }
  }
}

ProgressFigures HTTPProgressFigures(int64_t bytes, int32_t expectedSize) {
  ProgressFigures figures;
  if (expectedSize == 0) return figures;
  double fraction = std::min(1.0, static_cast<double>(bytes) / expectedSize);
  figures.Fraction = std::max(0.0, fraction);
  double percent = std::nearbyint(std::min(100.0, 100.0 * bytes / expectedSize));
  figures.Label = std::to_string(static_cast<int>(std::max(0.0, percent))) + "%";
  return figures;
}

std::string Sha256Hex(const std::string& bytes) {
  return QCryptographicHash::hash(QByteArray::fromStdString(bytes), QCryptographicHash::Sha256)
      .toHex()
      .toStdString();
}
