// Image loading, reading the hand control back, and the exit code of an operation.
#include <QFileInfo>
#include <QSaveFile>

#include "Commands.h"
#include "Console.h"
#include "Session.h"
#include "base/AtomicFile.h"
#include "base/TextUtil.h"
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "programmer/LinkTexts.h"
#include "startup/Startup.h"

namespace {

constexpr const char* kProgramFileText = "it is one of the program's own files";

// The firmware page's text for a failed load, as the first line of the CLI's message.
QString Headline(ImageLoadResult loadResult) {
  return QString::fromStdString(WithLfLineEnds(
             MessageText(*FirmwareLoadMessage(loadResult, LastImageReadProblem())))) +
         "\n";
}

}  // namespace

int LoadImageForCommand(const QString& path) {
  const ImageLoadResult code = LoadFirmwareFile(path.toStdString());
  QFileInfo info(path);
  switch (code) {
    case ImageLoadResult::Loaded:
      gFirmwareFile = info.fileName().toStdString();
      return kExitOk;
    case ImageLoadResult::NotFound:
      PrintError(Headline(code) + path + " does not exist.");
      break;
    case ImageLoadResult::WrongSize:
      if (LastImageReadProblem() != ImageReadProblem::None) {
        PrintError(Headline(code) + path + " " + QString::fromStdString(LastImageReadReason()) +
                   ".");
        break;
      }
      PrintError(Headline(code) + path + " has " + QString::number(info.size()) +
                 " bytes; a firmware image has " + QString::number(kImageSize) + ".");
      break;
    case ImageLoadResult::Invalid:
      PrintError(Headline(code) + path +
                 " lacks the signature 55 AA at offset 0xFFE0; it is not a firmware image.");
      break;
  }
  return kExitUsage;
}

int OperationExitCode(bool succeeded) {
  if (ConsoleHostInstance().Cancelled() || (!succeeded && InterruptPending()))
    return kExitCancelled;
  return succeeded ? kExitOk : kExitFailed;
}

int ReadHandControlImage(std::string& image) {
  const ReadBackResult read = ReadHandControl(image);
  switch (read.end) {
    case ReadBackEnd::Read:
      return kExitOk;
    case ReadBackEnd::Stopped:
      PrintError("reading cancelled by user.");
      return kExitCancelled;
    case ReadBackEnd::Failed:
      PrintError("reading the hand control failed at bank " + QString::number(read.bank) +
                 ", block " + QString::number(read.block) + ".");
      break;
    case ReadBackEnd::PortLost:
      break;
  }
  return InterruptPending() ? kExitCancelled : kExitFailed;
}

bool OutputFileAllowed(const QString& file) {
  std::string why;
  if (IsProgramFileName(QFileInfo(file).fileName().toStdString())) {
    why = kProgramFileText;
  } else if (!MayWriteUserFile(file.toStdString(), why)) {
    why = "it " + why;
  } else {
    return true;
  }
  PrintError("will not write " + file + ": " + QString::fromStdString(why) + ".");
  return false;
}

int ReadHandControlToFile(const QString& file) {
  if (!OutputFileAllowed(file)) return kExitUsage;
  // Tried first, so that an unwritable place is reported before minutes of reading; the probe's
  // temporary file goes with it.
  if (QSaveFile probe(file); !probe.open(QIODevice::WriteOnly)) {
    PrintError("cannot write " + file + ": " + probe.errorString());
    return kExitUsage;
  }
  std::string image;
  if (int code = ReadHandControlImage(image); code != kExitOk) return code;
  ConsoleHostInstance().EndProgressLine();
  std::string why;
  if (!WriteFileAtomically(file.toStdString(), image, &why)) {
    PrintError("cannot write " + file + ": " + QString::fromStdString(why) + ".");
    return kExitFailed;
  }
  return kExitOk;
}
