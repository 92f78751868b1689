// Erasing and writing the image, run by run, with progress and the user's say in cancelling.
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "programmer/LinkInternal.h"
#include "programmer/LinkTexts.h"
#include "programmer/OperationScope.h"

using namespace link_detail;

namespace {

int gLastPercent = 0;

enum class RunEnd { Written, Declined, Cancelled, Lost };

bool NoResponse() {
  if (!PortLost()) Tell(LinkMessage(MessageKind::NoResponse));
  return false;
}

// The user pressed Cancel: confirmed, the run stops here; declined, it goes on.
bool CancelConfirmed() {
  if (!gCancelProgramming) return false;
  if (Ask(LinkMessage(MessageKind::CancelProgrammingQuestion)) == MsgAnswer::Yes) {
    Tell(LinkMessage(MessageKind::ProgrammingCancelled));
    return true;
  }
  OperationScope::DeclineCancel();
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
        ShowProgress(LinkPhase::Programming, ImageOffset(bank, block));
        SendBlockData(bank, block);
      }
      // Anything before the "#" is ignored here: the data went out, the device says it is done.
      if (ReadReply(5000, reply)) return RunEnd::Written;
    }
    if (PortLost()) return RunEnd::Lost;
    const HostMessage question =
        LinkMessage(MessageKind::WriteRetryQuestion, {std::to_string(scanPosition)});
    if (Ask(question) != MsgAnswer::Yes) return RunEnd::Declined;
  }
}

// One of the written ranges: its page command, then one write per run of non-blank blocks.
bool WriteRange(const BlockRange& range) {
  const int bank = range.bank, first = range.first, last = range.last;
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

void ShowProgress(LinkPhase phase, int position) {
  const double fraction = static_cast<double>(position) / kProgressTotal;
  const int percent = ProgressPercent(fraction);
  if (percent != gLastPercent || !(gLastPercent > 0)) {
    LinkHost().Progress(phase, fraction);
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
  OperationScope::ForgetCancelRequests();
  ShowProgress(LinkPhase::Erasing, 0);
  if (!EraseFlash()) return NoResponse();
  for (const BlockRange& range : kWrittenRanges) {
    // Between the two ranges of a bank a cancel is answered before the page changes.
    if ((range.first != 0 && CancelConfirmed()) || !WriteRange(range)) return false;
  }
  // A cancel pressed during the last run is answered here: the check phase that follows reads
  // only the verify flag.
  if (CancelConfirmed()) return false;
  // Only a clean check makes the run a success: a difference or an unread block is a failure.
  if (ChecksumPass() != PassEnd::Clean) return false;
  ShowProgress(LinkPhase::ProgrammingComplete, kProgressTotal);
  return true;
}
