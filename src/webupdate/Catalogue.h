#pragma once
// The download site's catalogue: parsing, the merge with the firmware files of the program
// folder, the order of the list, and the progress figures. Kept apart from the window so that
// the CLI and the tests use the same code.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/Host.h"
#include "startup/Versions.h"
#include "webupdate/Signature.h"

struct FirmwareEntry {
  std::string BaseName;   // file name without extension
  std::string Extension;  // last three characters of the catalogue's name; empty if local only
  std::string Date;       // "yyyy-mm-dd"
  int32_t Size = 0;
  std::string Description;  // each line ends with CR LF
  bool Local = false;
  bool Online = false;
  std::string Sha256;  // optional, lower-case hex; empty when the catalogue gives none
  std::string FileName() const { return BaseName + "." + Extension; }
};

struct ProgramFileEntry {
  std::string FileName;
  std::string PendingName;  // "$" + FileName
  int32_t Size = 0;
  std::string Version;  // "x.y.z" for executables, else "yyyy-mm-dd"
  bool Newer = false;
  std::string Sha256;
};

// Whether the catalogue in hand came with a valid signature.
enum class TrustState {
  NotChecked,  // no catalogue came
  Unverified,  // no PUBLICKEY: taken as it came
  Verified,
  Rejected  // a key is set and the signature is missing or not valid: nothing taken
};
struct CatalogueTrust {
  TrustState State = TrustState::NotChecked;
  SignatureCheck Check;  // for Verified and Rejected
};
// "Verified, key ID 8C88A68B65F8F03", "Not verified", "Signature missing", "Signature not
// valid"; empty when no catalogue came. In the user's language unless english is set (for
// the JSON document and the debug log).
std::string TrustLabel(const CatalogueTrust& trust, bool english = false);

struct WebLists {
  std::vector<FirmwareEntry> Firmware;
  std::vector<ProgramFileEntry> Programs;
  CatalogueTrust Trust;
  std::string VersionsError;  // why the versions file could not be rewritten, if it could not
  // Why no catalogue was taken (Unreachable, Failed, BadPublicKey), and whether the HTTP client
  // has already told the user.
  std::string FailureCause;
  bool FailureReported = false;
};

// Most "@" and "$" lines a catalogue may hold: many times any real site's list, and few enough
// that the versions file they make stays far below what the program reads back.
constexpr size_t kMaxCatalogueRows = 10000;

struct ParsedCatalogue {
  WebLists Lists;
  std::vector<VersionEntry> Versions;
  bool HasEntries = false;   // at least one "@" or "$" line: the reply is a catalogue
  bool TooManyRows = false;  // more than kMaxCatalogueRows: nothing of it is to be taken
};

// Reads the catalogue text; malformed lines are skipped with a debug-log line. A
// signed catalogue proves each file only through its SHA-256, so with requireHashes an offered
// image or a program file without one is skipped (logged); its description lines go with it.
// Reading stops at the first row beyond kMaxCatalogueRows (TooManyRows).
ParsedCatalogue ParseCatalogue(const std::string& reply, bool requireHashes = false);

// A name from the catalogue that may become a file in the program folder: not empty, not "."
// or "..", free of "/", "\" and control characters, and none of the program's own files and
// folders (IsProgramFileName) in any letter case.
bool IsSafeFileName(const std::string& name);

// Longest description a download writes beside its image.
constexpr size_t kMaxDescriptionBytes = 64 * 1024;

// The number a text begins with (leading spaces skipped), rounded half to even; 0 when none.
double LeadingNumber(const std::string& text);

// Progress callback of a transfer: bytes so far and the size the catalogue announced for the
// file (0 for the catalogue itself).
using TransferProgress = std::function<void(int bytes, int32_t expectedSize)>;

class HTTPClass;
// Opens http on the download site of the settings: its scheme (https checked against the system's
// roots and CAFILE), host and port (443 or 80 unless the address names one) and credentials.
bool OpenDownloadSite(HTTPClass& http);

enum class CatalogueResult {
  BadPublicKey,  // PUBLICKEY is set but holds no usable key: nothing is fetched
  Unreachable,
  Failed,
  NotCatalogue,
  TooManyRows,
  BadSignature,
  VersionsNotSaved,
  Loaded
};

// Fetches the catalogue at DomainName, DomainPath + DomainDir. Only a 2xx reply that holds
// catalogue lines replaces lists, gVersions and the versions file; otherwise lists are emptied
// and the table and file stay as they were. With PUBLICKEY set the reply must also carry a valid
// signature (the catalogue's address + ".minisig") of one of its keys: BadSignature otherwise.
// VersionsNotSaved: the lists and the table are new, but the versions file keeps its old
// contents (lists.VersionsError says why).
CatalogueResult LoadCatalogue(WebLists& lists, IHost& host, const TransferProgress& progress);

// Merges the program folder's "*.bin" files (any letter case) into the firmware list.
void LoadLocalFiles(std::vector<FirmwareEntry>& firmware, const std::string& folder);

// Shell sort by base name, by character code; equal names are never swapped.
void SortFirmwareList(std::vector<FirmwareEntry>& firmware);

struct ProgressFigures {
  std::string Label;  // "37%", or empty when the size is unknown
  double Fraction = 0;
};
ProgressFigures HTTPProgressFigures(int64_t bytes, int32_t expectedSize);

// SHA-256 of bytes as lower-case hex.
std::string Sha256Hex(const std::string& bytes);
