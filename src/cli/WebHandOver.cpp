// padflasher-cli lists the download-site commands and hands them over to the module
// padflasher-cli-web (see WebModule.h).
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

#include "Commands.h"
#include "Report.h"
#include "WebModule.h"

namespace {

// Beside the program (a build folder), or where the installation puts it; never anywhere a
// user's environment could point to.
QString ModulePath() {
  const QString bin = QCoreApplication::applicationDirPath();
  const QString places[] = {bin + "/" + kWebModuleFile,
                            bin + "/" PADFLASHER_WEB_MODULE_FROM_BIN "/" + kWebModuleFile};
  for (const QString& path : places) {
    if (QFileInfo(path).isFile()) return QFileInfo(path).absoluteFilePath();
  }
  return places[1];
}

// The module runs the whole command line again in its own copy of the CLI; this copy parsed
// nothing, so what the program does after a command (report, statistics, trace) is left to it.
int HandOver(const QStringList&) {
  static QLibrary module;  // stays loaded until the program ends
  const QStringList arguments = QCoreApplication::arguments();
  module.setFileName(ModulePath());
  const auto run =
      module.load() ? reinterpret_cast<WebModuleMain>(module.resolve(kWebModuleEntry)) : nullptr;
  if (run == nullptr) {
    // A script that asked for JSON still gets its document, from this copy's report.
    SetJsonWanted(arguments.contains("--json"));
    PrintError("the download-site commands cannot be loaded: " + module.errorString());
    return kExitFailed;
  }
  return run(&arguments);
}

const CommandRegistrar kCatalogue{{kCatalogueCommand.name, kCatalogueCommand.summary, HandOver}};
const CommandRegistrar kDownload{{kDownloadCommand.name, kDownloadCommand.summary, HandOver}};

}  // namespace
