#pragma once
// Downloading firmware images with their descriptions into the program folder, and removing
// them again.
#include <QByteArray>
#include <string>
#include <vector>

#include "base/Host.h"
#include "webupdate/Catalogue.h"

class HTTPClass;

// Sets the file's last-write time to midnight at the start of date ("yyyy-mm-dd"), local time.
bool Touch(const std::string& path, const std::string& date);

// Fetches DomainPath + "/" + fileName over an open connection. Empty when nothing usable came:
// a failure, a non-2xx status, a cut-off body, or bytes whose SHA-256 differs from sha256 (when
// that is not empty).
QByteArray FetchFile(HTTPClass& http, const std::string& fileName, const std::string& sha256);

struct DownloadOutcome {
  bool Saved = false;
  bool Reported = false;  // the HTTP client has already shown a message
  std::string Reason;     // why nothing was saved
};

// The Download button: the image and its description go to the program folder with the
// catalogue's date, and the entry becomes local.
DownloadOutcome DownloadFirmware(FirmwareEntry& entry, IHost& host,
                                 const TransferProgress& progress);

// Deletes entry index's image and description (found whatever their letter case) and drops the
// entry when the catalogue does not list it. False when no image was deleted: there was none,
// or it could not be deleted. failure then, or when the description stayed behind, names the
// file still in the program folder and the system's reason; otherwise both are empty.
struct RemoveFailure {
  std::string file;
  std::string reason;
};
bool RemoveFirmware(std::vector<FirmwareEntry>& firmware, size_t index, RemoveFailure& failure);
