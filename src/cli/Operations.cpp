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
      PrintError(Headline(code) + Cli::tr("%1 does not exist.").arg(path));
      break;
    case ImageLoadResult::WrongSize:
      if (LastImageReadProblem() != ImageReadProblem::None) {
        // The reason reads as the end of a sentence about the file, in English (base's style).
        PrintError(Headline(code) + path + " " + QString::fromStdString(LastImageReadReason()) +
                   ".");
        break;
      }
      PrintError(Headline(code) +
                 Cli::tr("%1 has %2 bytes; a firmware image has %3.")
                     .arg(path, QString::number(info.size()), QString::number(kImageSize)));
      break;
    case ImageLoadResult::Invalid:
      PrintError(Headline(code) +
                 Cli::tr("%1 lacks the signature 55 AA at offset 0xFFE0; it is not a firmware "
                         "image.")
                     .arg(path));
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
      PrintError(Cli::tr("reading cancelled by user."));
      return kExitCancelled;
    case ReadBackEnd::Failed:
      PrintError(Cli::tr("reading the hand control failed at bank %1, block %2.")
                     .arg(QString::number(read.bank), QString::number(read.block)));
      break;
    case ReadBackEnd::PortLost:
      break;
  }
  return InterruptPending() ? kExitCancelled : kExitFailed;
}

bool OutputFileAllowed(const QString& file) {
  std::string why;
  if (IsProgramFileName(QFileInfo(file).fileName().toStdString())) {
    PrintError(Cli::tr("will not write %1: it is one of the program's own files.").arg(file));
  } else if (!MayWriteUserFile(file.toStdString(), why)) {
    PrintError(Cli::tr("will not write %1: it %2.").arg(file, QString::fromStdString(why)));
  } else {
    return true;
  }
  return false;
}

int ReadHandControlToFile(const QString& file) {
  if (!OutputFileAllowed(file)) return kExitUsage;
  // Tried first, so that an unwritable place is reported before minutes of reading; the probe's
  // temporary file goes with it.
  if (QSaveFile probe(file); !probe.open(QIODevice::WriteOnly)) {
    PrintError(Cli::tr("cannot write %1: %2").arg(file, probe.errorString()));
    return kExitUsage;
  }
  std::string image;
  if (int code = ReadHandControlImage(image); code != kExitOk) return code;
  ConsoleHostInstance().EndProgressLine();
  std::string why;
  if (!WriteFileAtomically(file.toStdString(), image, &why)) {
    PrintError(Cli::tr("cannot write %1: %2.").arg(file, QString::fromStdString(why)));
    return kExitFailed;
  }
  return kExitOk;
}
