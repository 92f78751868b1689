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

// One byte on the hand control's line: start bit, eight data bits, stop bit at 19200 baud.
constexpr double kLineByteMs = 10.0 * 1000 / 19200;
constexpr int64_t kBreatheMs = 1000;

// Reads up to "#" within the deadline. Knowing how long the reply will be, it does not wake for
// every few bytes of a long reply: once the reply has begun, it sleeps until the rest can have
// arrived at the line's rate (unless the port found the device faster than the line) and then
// takes everything there; a slower device only means another
// such sleep, and every sleep ends at the deadline at the latest. Before the reply has begun,
// the port may rest until all of it can have come (WaitForReply). It waits before it looks, as a
// wait returns at once when a byte is there: a reply is never there the moment its command left.
bool ReadReplyOfLength(int timeoutMs, int expectedLength, std::string& reply) {
  ISerialPort& port = LinkPort();
  IClock& clock = LinkClock();
  const uint32_t start = clock.TickCount();
  reply.clear();
  for (;;) {
    LinkHost().Breathe();
    if (!port.IsOpen()) return false;
    const int64_t remaining = int64_t{timeoutMs} - (clock.TickCount() - start);
    const int64_t missing = int64_t{expectedLength} + 1 - static_cast<int64_t>(reply.size());
    const auto restMs = static_cast<int64_t>(missing * kLineByteMs + 0.999);
    if (remaining > 0 && !reply.empty() && missing > 1 && restMs >= 2 &&
        port.RepliesKeepLineRate()) {
      clock.Sleep(static_cast<int>(std::min(restMs, remaining)));
    } else if (remaining > 0) {
      // In slices, so that a host whose port blocks still gets to breathe during a long wait.
      const auto sliceMs = static_cast<int>(std::min<int64_t>(remaining, kBreatheMs));
      if (reply.empty()) {
        port.WaitForReply(static_cast<int>(missing), sliceMs);
      } else {
        port.WaitForData(sliceMs);
      }
    }
    for (int waiting = port.BytesWaiting(); waiting > 0; --waiting) {
      const int byte = port.ReadByte();
      if (byte == '#') return true;
      if (byte >= 0) reply.push_back(static_cast<char>(byte));
    }
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
