// catalogue and download: the Web Updates window's catalogue and Download button, headless.
#include <QJsonArray>
#include <QJsonObject>
#include <cstdio>

#include "Commands.h"
#include "Console.h"
#include "Report.h"
#include "Session.h"
#include "base/LogMasking.h"
#include "base/TextUtil.h"
#include "programmer/OperationScope.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "webupdate/Catalogue.h"
#include "webupdate/Download.h"

namespace {

constexpr const char* kTooManyRows = " holds more firmware and program lines than ";

std::string SiteAddress() {
  return DomainName + DomainPath + DomainDir;
}

// Fetches the catalogue (refreshing PadFlasher.ver) and merges the local files, as the window
// does when it opens. Returns kExitOk, or kExitFailed after saying what went wrong.
int FetchLists(WebLists& lists) {
  if (gURL.empty()) gURL = gDefaultURL.empty() ? DefaultURL() : gDefaultURL;
  SplitSettingsURL();
  ReportField("site", QString::fromStdString(SiteAddress()));
  CatalogueResult result = LoadCatalogue(lists, ConsoleHostInstance(), nullptr);
  LoadLocalFiles(lists.Firmware, gProgramFolder);
  SortFirmwareList(lists.Firmware);
  if (result != CatalogueResult::Loaded && InterruptPending()) {
    PrintError("stopped by the user; PadFlasher.ver is unchanged.");
    return kExitCancelled;
  }
  if (lists.Trust.State != TrustState::NotChecked)
    ReportField("signature", QString::fromStdString(TrustLabel(lists.Trust)));
  switch (result) {
    case CatalogueResult::Loaded:
      // Not an error, but not a result for stdout either: whether the catalogue can be trusted.
      ConsoleHostInstance().EndProgressLine();
      std::fprintf(stderr, "padflasher-cli: catalogue: %s\n", TrustLabel(lists.Trust).c_str());
      std::fflush(stderr);
      return kExitOk;
    case CatalogueResult::BadSignature:
      PrintError(QString::fromStdString("the catalogue of " + SiteAddress() +
                                        " is refused: " + DescribeSignature(lists.Trust.Check) +
                                        "; PadFlasher.ver is unchanged."));
      break;
    case CatalogueResult::VersionsNotSaved:
      PrintError(QString::fromStdString("PadFlasher.ver could not be rewritten (" +
                                        lists.VersionsError + "); it keeps its old contents."));
      break;
    case CatalogueResult::Unreachable:
      if (HasBareCredentials(gURL)) {
        PrintError(QString::fromStdString("the password in URL of PadFlasher.ini (" +
                                          MaskedURL(gURL) +
                                          ") holds a bare '@' or '/'; write them as %40 and %2F."));
        break;
      }
      PrintError(QString::fromStdString("the download address '" + SiteAddress() +
                                        "' has no host name; check URL in PadFlasher.ini."));
      break;
    case CatalogueResult::Failed:
      PrintError(QString::fromStdString("no catalogue came from " + SiteAddress() +
                                        " (unreachable, refused, or an error page); " +
                                        "PadFlasher.ver is unchanged."));
      break;
    case CatalogueResult::TooManyRows:
      PrintError(QString::fromStdString("the catalogue of " + SiteAddress() + kTooManyRows +
                                        std::to_string(kMaxCatalogueRows) +
                                        "; it is refused and PadFlasher.ver is unchanged."));
      break;
    case CatalogueResult::NotCatalogue:
      PrintError(QString::fromStdString("the reply from " + SiteAddress() +
                                        " is not a catalogue (no \"@\" or \"$\" line); " +
                                        "PadFlasher.ver is unchanged."));
      break;
  }
  return kExitFailed;
}

int RunCatalogue(const QStringList& args) {
  CommandLine cl(args, "catalogue [options]",
                 "Fetches the catalogue at URL of PadFlasher.ini, refreshes PadFlasher.ver from it "
                 "and lists the firmware images of the site and of the program folder: base "
                 "name, date, size, Local or Remote.");
  cl.AddOption(JsonOption());
  if (int code; !cl.Parse(0, 0, code)) return code;
  WebLists lists;
  int code = FetchLists(lists);
  if (code == kExitCancelled) return code;
  QJsonArray firmware;
  for (const FirmwareEntry& e : lists.Firmware) {
    char size[16];
    std::snprintf(size, sizeof size, "%10d", e.Size);
    PrintOut(QString::fromStdString(EscapedForDisplay(e.BaseName) + "  " + e.Date + "  " + size +
                                    "  " + (e.Local ? "Local" : "Remote")));
    firmware.append(QJsonObject{{"name", QString::fromStdString(e.BaseName)},
                                {"file", QString::fromStdString(e.FileName())},
                                {"date", QString::fromStdString(e.Date)},
                                {"size", e.Size},
                                {"local", e.Local},
                                {"online", e.Online}});
  }
  ReportField("firmware", firmware);
  return code;
}

int RunDownload(const QStringList& args) {
  CommandLine cl(args, "download [options] NAME",
                 "Downloads the firmware image NAME (its base name, as the catalogue lists it) "
                 "with its description into the program folder, dated as the catalogue says.");
  cl.AddOption(JsonOption());
  cl.AddPositional("NAME", "Base name of the firmware image, e.g. HC200.");
  if (int code; !cl.Parse(1, 1, code)) return code;
  const std::string name = cl.Positional().value(1).toStdString();
  ReportField("name", QString::fromStdString(name));
  WebLists lists;
  if (int code = FetchLists(lists); code != kExitOk) return code;
  FirmwareEntry* entry = nullptr;
  for (FirmwareEntry& e : lists.Firmware) {
    if (e.BaseName == name) entry = &e;
  }
  if (!entry || !entry->Online) {
    PrintError(QString::fromStdString("the catalogue of " + SiteAddress() +
                                      " offers no firmware named " + EscapedForDisplay(name) +
                                      "."));
    return kExitUsage;
  }
  if (entry->Local) {
    PrintError(
        QString::fromStdString(entry->BaseName +
                               " is already in the program folder; remove it first to download it "
                               "again."));
    return kExitUsage;
  }
  const std::string label = "Downloading " + EscapedForDisplay(entry->FileName()) + " : ";
  OperationScope transfer(Operation::Downloading);
  DownloadOutcome outcome =
      DownloadFirmware(*entry, ConsoleHostInstance(), [&](int bytes, int32_t size) {
        ProgressFigures figures = HTTPProgressFigures(bytes, size);
        ConsoleHostInstance().TransferProgress(label + figures.Label, figures.Fraction);
      });
  if (!outcome.Saved && InterruptPending()) {
    PrintError("download stopped by the user; nothing was saved.");
    return kExitCancelled;
  }
  if (!outcome.Saved) {
    PrintError(QString::fromStdString("nothing was saved: " + outcome.Reason + "."));
    return kExitFailed;
  }
  ReportField("file", QString::fromStdString(gProgramFolder + "/" + entry->FileName()));
  ReportField("file_bytes", entry->Size);
  ReportField("date", QString::fromStdString(entry->Date));
  PrintOut(QString::fromStdString("Downloaded " + EscapedForDisplay(entry->FileName()) + " and " +
                                  EscapedForDisplay(entry->BaseName) + ".txt (" + entry->Date +
                                  ") into " + gProgramFolder));
  return kExitOk;
}

const CommandRegistrar kCatalogue{
    {"catalogue", "list the download site's firmware and refresh PadFlasher.ver", RunCatalogue}};
const CommandRegistrar kDownload{
    {"download", "download a firmware image named in the catalogue", RunDownload}};

}  // namespace
