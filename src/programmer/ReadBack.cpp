// Reading the hand control's firmware back into an image, beside the verifications that read it
// to compare.
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "programmer/LinkInternal.h"
#include "programmer/LinkTexts.h"
#include "programmer/OperationScope.h"

using namespace link_detail;

namespace {

void ShowReadProgress(int position, int& lastPercent) {
  const double fraction = static_cast<double>(position) / kImageSize;
  const int percent = ProgressPercent(fraction);
  if (percent == lastPercent) return;
  lastPercent = percent;
  LinkHost().Progress(LinkPhase::Reading, fraction);
}

}  // namespace

ReadBackResult ReadHandControl(std::string& image) {
  OperationScope run(Operation::Reading);
  image.assign(kImageSize, static_cast<char>(0xFF));
  int lastPercent = -1;
  ShowReadProgress(0, lastPercent);
  for (const BlockRange& range : kWrittenRanges) {
    bool selectPage = true;
    for (int block = range.first; block <= range.last; ++block) {
      if (LinkHost().StopRequested()) return {ReadBackEnd::Stopped, range.bank, block};
      const int offset = ImageOffset(range.bank, block);
      auto* data = reinterpret_cast<uint8_t*>(image.data() + offset);
      while (!ReadBlock(offset, data, selectPage)) {
        // A dead port is not worth a retry question: it cannot come back by itself.
        if (PortLost()) return {ReadBackEnd::PortLost, range.bank, block};
        if (Ask(LinkBlockMessage(MessageKind::ReadRetryQuestion, range.bank, block)) !=
            MsgAnswer::Retry)
          return {ReadBackEnd::Failed, range.bank, block};
      }
      selectPage = false;
      ShowReadProgress(offset + kBlockSize, lastPercent);
    }
  }
  return {ReadBackEnd::Read, -1, -1};
}
