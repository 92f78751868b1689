#include "pages/FirmwareImport.h"

#include <QFile>
#include <QFileInfo>

#include "base/AtomicFile.h"
#include "base/DebugLog.h"
#include "base/DescriptionFile.h"
#include "base/TextUtil.h"
#include "pages/PageTexts.h"
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "programmer/LinkTexts.h"
#include "startup/Startup.h"

namespace {

// The page lists ".bin" files only, so a file chosen under "All files" gets that ending.
std::string NameInProgramFolder(const std::string& sourceName) {
  return EndsWithNoCase(sourceName, ".bin") ? sourceName : sourceName + ".bin";
}

}  // namespace

std::string ImportFirmwareFile(const QString& source) {
  IHost& host = LinkHost();
  const std::string sourceName = QFile::encodeName(QFileInfo(source).fileName()).toStdString();
  if (IsProgramFileName(sourceName)) {
    host.Message(PageMessage(MessageKind::FirmwareNameReserved, {EscapedForDisplay(sourceName)}));
    return "";
  }
  // Checked before anything is written: the size is looked at before the file is read.
  std::string image;
  const ImageLoadResult checked = ReadFirmwareFile(QFile::encodeName(source).toStdString(), image);
  if (const auto error = FirmwareLoadMessage(checked, LastImageReadProblem())) {
    host.Message(*error);
    return "";
  }
  // A name already there in another letter case is the same file to the user, as it is to the
  // list's selection and to the download.
  const std::string wanted = NameInProgramFolder(sourceName);
  std::string target = FindFileNoCase(gProgramFolder, wanted);
  if (target.empty()) target = gProgramFolder + "/" + wanted;
  const std::string name = target.substr(gProgramFolder.size() + 1);

  std::string held;
  const ReadResult there = ReadWholeFile(target, kImageSize, held);
  if (there == ReadResult::Ok && held == image) return name;  // also the file itself
  if (there != ReadResult::Missing &&
      host.Message(PageMessage(MessageKind::ReplaceFirmwareQuestion, {EscapedForDisplay(name)})) !=
          MsgAnswer::Yes)
    return "";
  std::string why;
  if (!WriteFileAtomically(target, image, &why)) {
    host.Message(PageMessage(MessageKind::FirmwareCopyFailed, {EscapedForDisplay(target), why}));
    return "";
  }
  DebugLog("Firmware file " + QFile::encodeName(source).toStdString() + " copied to " + target);
  return name;
}
