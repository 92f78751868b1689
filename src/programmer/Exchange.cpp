// The command exchange: every hand-control command goes through SendCommand and ReadReply.
#include <algorithm>

#include "base/DebugLog.h"
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "programmer/LinkInternal.h"
#include "programmer/LinkTexts.h"
#include "startup/Settings.h"
#include "startup/Startup.h"

namespace link_detail {

MsgAnswer Ask(const HostMessage& message) {
  return LinkHost().Message(message);
}

void Tell(const HostMessage& message) {
  Ask(message);
}

bool PortLost() {
  if (LinkPort().IsOpen()) return false;
  DebugLog("Serial port " + gComPort + " lost: " + LinkPort().LastError());
  Tell(LinkMessage(MessageKind::PortLost, {gComPort}, LinkPort().LastError()));
  return true;
}

std::string PageCommand(int offset) {
  return "@@1" + HexPad((offset / 65536) ^ 1, 2) + "XXXXXX";
}

}  // namespace link_detail

bool PortWasLost() {
  return link_detail::PortLost();
}

namespace {

void DiscardWaiting() {
  ISerialPort& port = LinkPort();
  while (port.IsOpen() && port.BytesWaiting() > 0) {
    port.ReadByte();
    LinkHost().Breathe();
  }
}

}  // namespace

namespace {

constexpr int64_t kBreatheMs = 1000;

// Reads up to "#" within the deadline. How to wait for the reply is the port's (it may rest
// until the line can have carried it); the exchange hands it the time left in slices, so that
// the host breathes during a long wait even on a port that blocks.
bool ReadReplyOfLength(int timeoutMs, int expectedLength, std::string& reply) {
  ISerialPort& port = LinkPort();
  IClock& clock = LinkClock();
  const uint32_t start = clock.TickCount();
  reply.clear();
  for (;;) {
    LinkHost().Breathe();
    if (!port.IsOpen()) return false;
    const int64_t remaining = int64_t{timeoutMs} - (clock.TickCount() - start);
    const auto sliceMs = static_cast<int>(std::clamp<int64_t>(remaining, 0, kBreatheMs));
    if (port.ReadReply(expectedLength, sliceMs, reply)) return true;
    if (clock.TickCount() - start >= static_cast<uint32_t>(timeoutMs)) break;
  }
  clock.Sleep(100);
  DiscardWaiting();
  return false;
}

}  // namespace

bool ReadReply(int timeoutMs, std::string& reply) {
  return ReadReplyOfLength(timeoutMs, 0, reply);
}

bool SendCommand(const std::string& command, int replyLength, int timeoutMs, int tries,
                 std::string& reply) {
  ISerialPort& port = LinkPort();
  for (int attempt = 1; attempt <= tries; ++attempt) {
    DiscardWaiting();
    if (!port.IsOpen() || !port.Write(command)) return false;
    if (replyLength == -1) return true;
    if (ReadReplyOfLength(timeoutMs, replyLength, reply) &&
        static_cast<int>(reply.size()) == replyLength) {
      return true;
    }
    if (!port.IsOpen()) return false;
    LinkHost().Breathe();
    LinkClock().Sleep(100);
  }
  return false;
}

bool PingHandControl() {
  std::string reply;
  return SendCommand("@@100XXXXXX", 0, 1000, 1, reply);
}

void SendBlockData(int bank, int block) {
  const auto* data = gImage.data() + ImageOffset(bank, block);
  LinkPort().Write(std::string(reinterpret_cast<const char*>(data), kBlockSize));
  LinkHost().Breathe();
}
