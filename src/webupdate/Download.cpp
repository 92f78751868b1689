#include "webupdate/Download.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <filesystem>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/DebugLog.h"
#include "base/DescriptionFile.h"
#include "base/TextUtil.h"
#include "programmer/Image.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "webupdate/HTTPClass.h"

namespace {

constexpr const char* kUnrelatedDescription =
    " is there without an image beside it and is kept; move or rename it to download this "
    "firmware";

}  // namespace

bool Touch(const std::string& path, const std::string& date) {
  QDate day = QDate::fromString(QString::fromStdString(date), "yyyy-MM-dd");
  if (!day.isValid()) {
    DebugLog("Touch: not a date: " + date);
    return false;
  }
  QFile file(FilePath(path));
  if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) return false;
  return file.setFileTime(QDateTime(day, QTime(0, 0), Qt::LocalTime),
                          QFileDevice::FileModificationTime);
}

QByteArray FetchFile(HTTPClass& http, const std::string& fileName, const std::string& sha256) {
  QByteArray bytes = http.SendRequestBinary(DomainPath + "/" + fileName, "GET", true);
  if (!bytes.isEmpty() && !sha256.empty() && Sha256Hex(bytes.toStdString()) != sha256) {
    DebugLog("SendRequestBinary: SHA-256 of " + fileName +
             " differs from the catalogue, nothing received");
    return {};
  }
  return bytes;
}

DownloadOutcome DownloadFirmware(FirmwareEntry& entry, IHost& host,
                                 const TransferProgress& progress) {
  DownloadOutcome outcome;
  const std::string fileName = entry.FileName();
  if (!IsSafeFileName(fileName) || !IsSafeFileName(entry.BaseName + ".txt")) {
    outcome.Reason = "the name " + fileName + " cannot be a file of the program folder";
    DebugLog("Download: " + outcome.Reason);
    return outcome;
  }
  if (entry.Description.size() > kMaxDescriptionBytes) {
    outcome.Reason = "the description of " + fileName + " is longer than " +
                     std::to_string(kMaxDescriptionBytes) + " bytes";
    DebugLog("Download: " + outcome.Reason);
    return outcome;
  }
  // A description is written only beside its own image: a NAME.txt alone is the user's file.
  const std::string ownText = FindFileNoCase(gProgramFolder, entry.BaseName + ".txt");
  if (!ownText.empty() && FindFileNoCase(gProgramFolder, fileName).empty()) {
    outcome.Reason = ownText + kUnrelatedDescription;
    DebugLog("Download: " + outcome.Reason);
    return outcome;
  }
  HTTPClass http(host);
  QObject::connect(&http, &HTTPClass::Progress, [&](int bytes) {
    if (progress) progress(bytes, entry.Size);
  });
  if (!OpenDownloadSite(http)) {
    outcome.Reason = "the download site's address cannot be opened";
    return outcome;
  }
  // Only what the catalogue promised is taken: the site may not fill the disk or the memory.
  http.SetMaxBytes(entry.Size);
  QByteArray bytes = FetchFile(http, fileName, entry.Sha256);
  outcome.Reported = http.MessageShown();
  if (!bytes.isEmpty() && (bytes.size() != entry.Size || entry.Size != kImageSize)) {
    DebugLog("Download: " + fileName + " came with " + std::to_string(bytes.size()) +
             " bytes; the catalogue says " + std::to_string(entry.Size) + ", an image has " +
             std::to_string(kImageSize) + "; nothing received");
    outcome.Reason = "the site sent " + std::to_string(bytes.size()) + " bytes, not the " +
                     std::to_string(kImageSize) + " of a firmware image";
    return outcome;
  }
  if (bytes.isEmpty()) {
    outcome.Reason = http.LastError().empty() ? "the file's contents do not match the catalogue"
                                              : http.LastError();
    return outcome;
  }
  const std::string image = gProgramFolder + "/" + fileName;
  const std::string description = gProgramFolder + "/" + entry.BaseName + ".txt";
  std::string why;
  if (!WriteFileAtomically(image, bytes.toStdString(), &why)) {
    outcome.Reason = image + " could not be written: " + why;
    return outcome;
  }
  if (!WriteFileAtomically(description, entry.Description, &why)) {
    // An image without its description would pass for a complete download; the entry was not
    // local, so the image is new and goes again.
    QFile::remove(FilePath(image));
    outcome.Reason = description + " could not be written: " + why;
    return outcome;
  }
  Touch(image, entry.Date);
  entry.Local = true;
  Touch(description, entry.Date);
  outcome.Saved = true;
  return outcome;
}

namespace {

// Deletes a file of the program folder; false, with the file and the reason, when it stays.
bool Delete(const std::string& path, RemoveFailure& failure) {
  // By the name's bytes: a name that is not valid UTF-8 is beyond QFile.
  std::error_code error;
  if (std::filesystem::remove(std::filesystem::path(path), error)) return true;
  const std::string why = error ? error.message() : "does not exist";
  DebugLog("Remove: " + path + ": " + why);
  failure = {path, why};
  return false;
}

}  // namespace

bool RemoveFirmware(std::vector<FirmwareEntry>& firmware, size_t index, RemoveFailure& failure) {
  failure = {};
  if (index >= firmware.size()) return false;
  FirmwareEntry& entry = firmware[index];
  std::string image = FindFileNoCase(gProgramFolder, entry.BaseName + ".BIN");
  if (image.empty() || !IsSafeFileName(entry.BaseName)) return false;
  if (!Delete(image, failure)) return false;
  std::string description = FindFileNoCase(gProgramFolder, entry.BaseName + ".txt");
  if (!description.empty()) Delete(description, failure);
  entry.Local = false;
  if (!entry.Online) firmware.erase(firmware.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}
