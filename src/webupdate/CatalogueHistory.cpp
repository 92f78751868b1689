#include "webupdate/CatalogueHistory.h"

#include <QFileInfo>
#include <map>

#include "base/AtomicFile.h"
#include "base/TextUtil.h"
#include "startup/Startup.h"

namespace {

// One line per site, "<seconds> <site>"; hundreds of sites fit.
constexpr int64_t kMaxHistoryBytes = 64 * 1024;

std::map<std::string, int64_t> ReadHistory() {
  std::map<std::string, int64_t> sites;
  std::string bytes;
  if (ReadWholeFile(CatalogueHistoryFileName(), kMaxHistoryBytes, bytes) != ReadResult::Ok)
    return sites;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = bytes.substr(start, end - start);
    start = end + 1;
    const size_t space = line.find(' ');
    if (space == 0 || space > 18 || space == std::string::npos ||
        line.find_first_not_of("0123456789") != space) {
      continue;  // not written by this program
    }
    sites[line.substr(space + 1)] = std::stoll(line.substr(0, space));
  }
  return sites;
}

// The site as a line of the file can hold it.
std::string SiteKey(const std::string& site) {
  return EscapedForDisplay(site);
}

}  // namespace

int64_t NewestSignedTime(const std::string& site) {
  const auto sites = ReadHistory();
  const auto found = sites.find(SiteKey(site));
  return found == sites.end() ? 0 : found->second;
}

bool RememberSignedTime(const std::string& site, int64_t timestamp, std::string* reason) {
  auto sites = ReadHistory();
  const auto [entry, added] = sites.try_emplace(SiteKey(site), timestamp);
  if (!added && entry->second >= timestamp) return true;
  entry->second = timestamp;
  std::string text;
  for (const auto& [key, seconds] : sites) text += std::to_string(seconds) + " " + key + "\n";
  std::string why = "would be larger than " + std::to_string(kMaxHistoryBytes) + " bytes";
  // Never more than the reader takes: a history it refused would forget every site.
  if (static_cast<int64_t>(text.size()) > kMaxHistoryBytes) {
    if (reason) *reason = why;
    return false;
  }
  const std::string fileName = CatalogueHistoryFileName();
  if (!MakeUserFolder(QFileInfo(FilePath(fileName)).path().toStdString(), why)) {
    if (reason) *reason = why;
    return false;
  }
  return WriteFileAtomically(fileName, text, reason);
}
