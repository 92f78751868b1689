// Image loading, reading the hand control back, and the exit code of an operation.
#include <QFileInfo>
#include <QSaveFile>
#include <cmath>

#include "Commands.h"
#include "Console.h"
#include "Session.h"
#include "base/AtomicFile.h"
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "programmer/LinkTexts.h"
#include "programmer/OperationScope.h"
#include "startup/Startup.h"

namespace {

constexpr const char* kProgramFileText = "it is one of the program's own files";

// The block ranges programming writes, in the order it writes them.
struct Range {
  int bank, first, last;
};
constexpr Range kWrittenRanges[] = {{0, 0, 255}, {0, 384, 511}, {1, 0, 255}, {1, 384, 511}};

void ShowReadProgress(int position, int& lastPercent) {
  double fraction = static_cast<double>(position) / kImageSize;
  int percent = static_cast<int>(std::nearbyint(fraction * 100));
  if (percent == lastPercent) return;
  lastPercent = percent;
  std::string shown = std::to_string(percent) + "%";
  LinkHost().Progress("Reading Hand Control : " + shown, fraction, "HC " + shown);
}

// The firmware page's text for a failed load, as the first line of the CLI's message.
QString Headline(ImageLoadResult loadResult) {
  return QString::fromStdString(FirmwareLoadError(loadResult, LastImageReadProblem())) + "\n";
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
  OperationScope run(Operation::Reading);
  image.assign(kImageSize, static_cast<char>(0xFF));
  int lastPercent = -1;
  ShowReadProgress(0, lastPercent);
  for (const Range& range : kWrittenRanges) {
    bool selectPage = true;
    for (int block = range.first; block <= range.last; ++block) {
      if (InterruptPending()) {
        PrintError("reading cancelled by user.");
        return kExitCancelled;
      }
      int offset = ImageOffset(range.bank, block);
      auto* data = reinterpret_cast<uint8_t*>(image.data() + offset);
      while (!ReadBlock(offset, data, selectPage)) {
        // A dead port is not worth a retry question: it cannot come back by itself.
        if (PortWasLost()) return InterruptPending() ? kExitCancelled : kExitFailed;
        std::string question = "Error Reading Data at Bank: " + std::to_string(range.bank) +
                               ", Block: " + std::to_string(block);
        if (LinkHost().Message(question, "PadFlasher", MsgIcon::Warning, MsgButtons::RetryCancel) !=
            MsgAnswer::Retry) {
          PrintError("reading the hand control failed at bank " + QString::number(range.bank) +
                     ", block " + QString::number(block) + ".");
          return InterruptPending() ? kExitCancelled : kExitFailed;
        }
      }
      selectPage = false;
      ShowReadProgress(offset + kBlockSize, lastPercent);
    }
  }
  return kExitOk;
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
