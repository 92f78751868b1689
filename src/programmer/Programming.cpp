// Erasing and writing the image, run by run, with progress and the user's say in cancelling.
#include <cmath>

#include "programmer/Image.h"
#include "programmer/Link.h"
#include "programmer/LinkInternal.h"

using namespace link_detail;

bool gProgramming = false, gVerifying = false, gCancelProgramming = false, gCancelVerify = false;

namespace {

double gLastPercent = 0;

enum class RunEnd { Written, Declined, Cancelled, Lost };

bool NoResponse() {
  if (!PortLost()) Tell("No response from HC");
  return false;
}

// The user pressed Cancel: confirmed, the run stops here; declined, it goes on.
bool CancelConfirmed() {
  if (!gCancelProgramming) return false;
  const std::string question =
      std::string("Cancelling Programming at this stage would leave the device in Program mode") +
      kCrLf + "making the firmware unusable until reprogrammed!" + kCrLf + kCrLf +
      "Are you sure you want to Cancel Programming?";
  if (Ask(question, MsgIcon::Error, MsgButtons::YesNo) == MsgAnswer::Yes) {
    Tell("Programming cancelled by user");
    return true;
  }
  gCancelProgramming = false;
  LinkHost().CancelDeclined();
  return false;
}

RunEnd WriteRun(int bank, int first, int last, int scanPosition) {
  const std::string command =
      "@@2" + HexPad(ImageOffset(bank, first) % 65536, 4) + HexPad(last - first + 1, 2) + "XX";
  for (;;) {
    if (CancelConfirmed()) return RunEnd::Cancelled;
    std::string reply;
    if (SendCommand(command, -1, 5000, 1, reply)) {
      for (int block = first; block <= last; ++block) {
        ShowProgress("Programming Hand Control : ", ImageOffset(bank, block));
        SendBlockData(bank, block);
      }
      // Anything before the "#" is ignored here: the data went out, the device says it is done.
      if (ReadReply(5000, reply)) return RunEnd::Written;
    }
    if (PortLost()) return RunEnd::Lost;
    const std::string question =
        "An Error occurred Programming Data at Block: " + std::to_string(scanPosition) + kCrLf +
        kCrLf + "You may be able to recover by Retrying." + kCrLf + kCrLf +
        "Would you like to Retry Block?";
    if (Ask(question, MsgIcon::Error, MsgButtons::YesNo) != MsgAnswer::Yes) return RunEnd::Declined;
  }
}

// One of the four written ranges: its page command, then one write per run of non-blank blocks.
bool WriteRange(int bank, int first, int last) {
  std::string reply;
  if (!SendCommand(PageCommand(ImageOffset(bank, first)), 0, 5000, 3, reply)) return NoResponse();
  int scan = first;
  while (scan <= last) {
    if (CancelConfirmed()) return false;
    int runFirst = scan;
    while (runFirst <= last && IsBlockBlank(bank, runFirst)) ++runFirst;
    if (runFirst > last) break;
    int runLast = runFirst;
    while (runLast < last && !IsBlockBlank(bank, runLast + 1)) ++runLast;
    if (WriteRun(bank, runFirst, runLast, scan) != RunEnd::Written) return false;
    scan = runLast + 2;
  }
  return true;
}

}  // namespace

void ShowProgress(const std::string& text, int position) {
  const double fraction = static_cast<double>(position) / kProgressTotal;
  const double percent = std::nearbyint(fraction * 100);  // halves go to the even neighbour
  if (percent != gLastPercent || !(gLastPercent > 0)) {
    const std::string shown = std::to_string(static_cast<int>(percent)) + "%";
    LinkHost().Progress(text + shown, fraction, "HC " + shown);
    LinkHost().Breathe();
  }
  LinkHost().Breathe();
  gLastPercent = percent;
}

bool EraseFlash() {
  std::string reply;
  return SendCommand("@@5XXXXXXXX", 0, 20000, 1, reply);
}

bool ReadBlockChecksum(int offset, int16_t& checksum, bool selectPage) {
  std::string reply;
  if (selectPage && !SendCommand(PageCommand(offset), 0, 5000, 3, reply)) return false;
  if (!SendCommand("@@8" + HexPad(offset % 65536, 4) + "01XX", 2, 5000, 3, reply)) return false;
  int value = 0;
  if (!ParseHexByte(reply, 0, value)) return false;
  checksum = static_cast<int16_t>(value);
  return true;
}

bool ProgramHandControl() {
  gCancelProgramming = false;
  ShowProgress("Erasing Flash Memory ... please wait (9 secs) : ", 0);
  if (!EraseFlash()) return NoResponse();
  for (int bank = 0; bank < 2; ++bank) {
    if (!WriteRange(bank, 0, 255)) return false;
    if (CancelConfirmed() || !WriteRange(bank, 384, 511)) return false;
  }
  // A cancel pressed during the last run is answered here: the check phase that follows reads
  // only the verify flag.
  if (CancelConfirmed()) return false;
  // Only a clean check makes the run a success: a difference or an unread block is a failure.
  if (ChecksumPass() != PassEnd::Clean) return false;
  ShowProgress("Programming Complete : ", kProgressTotal);
  return true;
}
