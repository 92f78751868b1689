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
    PrintError(Cli::tr("stopped by the user; PadFlasher.ver is unchanged."));
    return kExitCancelled;
  }
  if (lists.Trust.State != TrustState::NotChecked)
    ReportField("signature", QString::fromStdString(TrustLabel(lists.Trust, true)));
  switch (result) {
    case CatalogueResult::Loaded:
      // Not an error, but not a result for stdout either: whether the catalogue can be trusted.
      ConsoleHostInstance().EndProgressLine();
      std::fprintf(stderr, "padflasher-cli: catalogue: %s\n", TrustLabel(lists.Trust).c_str());
      std::fflush(stderr);
      return kExitOk;
    case CatalogueResult::BadSignature:
      PrintError(Cli::tr("the catalogue of %1 is refused: %2; PadFlasher.ver is unchanged.")
                     .arg(QString::fromStdString(SiteAddress()),
                          QString::fromStdString(DescribeSignature(lists.Trust.Check))));
      break;
    case CatalogueResult::VersionsNotSaved:
      PrintError(Cli::tr("PadFlasher.ver could not be rewritten (%1); it keeps its old contents.")
                     .arg(QString::fromStdString(lists.VersionsError)));
      break;
    case CatalogueResult::Unreachable:
      if (HasBareCredentials(gURL)) {
        PrintError(Cli::tr("the password in URL of PadFlasher.ini (%1) holds a bare '@' or '/'; "
                           "write them as %2 and %3.")
                       .arg(QString::fromStdString(MaskedURL(gURL)), "%40", "%2F"));
        break;
      }
      PrintError(Cli::tr("the download address '%1' has no host name; check URL in PadFlasher.ini.")
                     .arg(QString::fromStdString(SiteAddress())));
      break;
    case CatalogueResult::BadPublicKey:
      PrintError(
          Cli::tr("PUBLICKEY is not a minisign public key (it is the second line of a "
                  "minisign .pub file, starting \"RW\"); nothing was fetched and "
                  "PadFlasher.ver is unchanged."));
      break;
    case CatalogueResult::Failed:
      // The HTTP client has said why already; the line adds only what it means for the file.
      if (lists.FailureReported) {
        PrintError(Cli::tr("no catalogue came from %1; PadFlasher.ver is unchanged.")
                       .arg(QString::fromStdString(SiteAddress())));
        break;
      }
      PrintError(Cli::tr("no catalogue came from %1: %2; PadFlasher.ver is unchanged.")
                     .arg(QString::fromStdString(SiteAddress()),
                          QString::fromStdString(EscapedForDisplay(lists.FailureCause))));
      break;
    case CatalogueResult::TooManyRows:
      PrintError(Cli::tr("the catalogue of %1 holds more firmware and program lines than %2; it is "
                         "refused and PadFlasher.ver is unchanged.")
                     .arg(QString::fromStdString(SiteAddress()))
                     .arg(kMaxCatalogueRows));
      break;
    case CatalogueResult::NotCatalogue:
      PrintError(Cli::tr("the reply from %1 is not a catalogue (no \"@\" or \"$\" line); "
                         "PadFlasher.ver is unchanged.")
                     .arg(QString::fromStdString(SiteAddress())));
      break;
  }
  return kExitFailed;
}

int RunCatalogue(const QStringList& args) {
  CommandLine cl(args, "catalogue [options]",
                 Cli::tr("Fetches the catalogue at URL of PadFlasher.ini, refreshes "
                         "PadFlasher.ver from it and lists the firmware images of the site and of "
                         "the program folder: base name, date, size, Local or Remote."));
  cl.AddOption(JsonOption());
  if (int code; !cl.Parse(0, 0, code)) return code;
  WebLists lists;
  int code = FetchLists(lists);
  if (code == kExitCancelled) return code;
  QJsonArray firmware;
  for (const FirmwareEntry& e : lists.Firmware) {
    char size[16];
    std::snprintf(size, sizeof size, "%10d", e.Size);
    PrintOut(
        QString::fromStdString(EscapedForDisplay(e.BaseName) + "  " + e.Date + "  " + size + "  ") +
        (e.Local ? Cli::tr("Local") : Cli::tr("Remote")));
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
                 Cli::tr("Downloads the firmware image NAME (its base name, as the catalogue "
                         "lists it) with its description into the program folder, dated as the "
                         "catalogue says."));
  cl.AddOption(JsonOption());
  cl.AddPositional("NAME", Cli::tr("Base name of the firmware image, e.g. HC200."));
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
    PrintError(Cli::tr("the catalogue of %1 offers no firmware named %2.")
                   .arg(QString::fromStdString(SiteAddress()),
                        QString::fromStdString(EscapedForDisplay(name))));
    return kExitUsage;
  }
  if (entry->Local) {
    PrintError(Cli::tr("%1 is already in the program folder; remove it first to download it "
                       "again.")
                   .arg(QString::fromStdString(EscapedForDisplay(entry->BaseName))));
    return kExitUsage;
  }
  const std::string label = Cli::tr("Downloading %1 : ")
                                .arg(QString::fromStdString(EscapedForDisplay(entry->FileName())))
                                .toStdString();
  OperationScope transfer(Operation::Downloading);
  DownloadOutcome outcome =
      DownloadFirmware(*entry, ConsoleHostInstance(), [&](int bytes, int32_t size) {
        ProgressFigures figures = HTTPProgressFigures(bytes, size);
        ConsoleHostInstance().TransferProgress(label + figures.Label, figures.Fraction);
      });
  if (!outcome.Saved && InterruptPending()) {
    PrintError(Cli::tr("download stopped by the user; nothing was saved."));
    return kExitCancelled;
  }
  if (!outcome.Saved) {
    PrintError(Cli::tr("nothing was saved: %1.")
                   .arg(QString::fromStdString(EscapedForDisplay(outcome.Reason))));
    return kExitFailed;
  }
  ReportField("file", QString::fromStdString(gProgramFolder + "/" + entry->FileName()));
  ReportField("file_bytes", entry->Size);
  ReportField("date", QString::fromStdString(entry->Date));
  PrintOut(Cli::tr("Downloaded %1 and %2.txt (%3) into %4")
               .arg(QString::fromStdString(EscapedForDisplay(entry->FileName())),
                    QString::fromStdString(EscapedForDisplay(entry->BaseName)),
                    QString::fromStdString(entry->Date), QString::fromStdString(gProgramFolder)));
  return kExitOk;
}

const CommandRegistrar kCatalogue{
    {"catalogue", "list the download site's firmware and refresh PadFlasher.ver", RunCatalogue}};
const CommandRegistrar kDownload{
    {"download", "download a firmware image named in the catalogue", RunDownload}};

}  // namespace
