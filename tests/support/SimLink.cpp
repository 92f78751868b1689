#include "SimLink.h"

#include <algorithm>

namespace {
constexpr int64_t kNever = hcsim::kNever;
int64_t ToMs(int64_t us) {
  return us / 1000;
}
}  // namespace

SimLink::SimLink(hcsim::Faults faults, int baud, hcsim::Timing timing)
    : model_(std::move(faults), timing), byteTime_(baud > 0 ? 10'000'000 / baud : 0) {
  model_.RecordCommands(true);  // the tests look at what the link sent
}

bool SimLink::Open() {
  if (!openError_.empty()) {
    error_ = openError_;
    return false;
  }
  open_ = true;
  ++opens_;
  error_.clear();
  return true;
}

void SimLink::Close() {
  open_ = false;
  tx_.clear();
  rx_.clear();
  xoff_ = false;
}

void SimLink::Drop(const std::string& reason) {
  Close();
  error_ = reason;
  openError_ = "No such file or directory";
}

void SimLink::Unplug(const std::string& reason) {
  Drop(reason);
}

int64_t SimLink::NextEvent() const {
  int64_t next = open_ ? unplugAt_ : kNever;
  if (!line_.empty()) next = line_.front().first;
  const int64_t out = model_.NextOutputDue();
  if (out != kNever) next = std::min(next, out * 1000);
  if (!tx_.empty() && !xoff_) next = std::min(next, txDone_);
  return next;
}

// Runs every event due at or before now_, in time order.
void SimLink::RunEventsDue() {
  for (;;) {
    if (open_ && unplugAt_ <= now_) {
      unplugAt_ = kNever;
      Drop("device disconnected");
    }
    const int64_t lineAt = line_.empty() ? kNever : line_.front().first;
    const int64_t out = model_.NextOutputDue();
    const int64_t outAt = out == kNever ? kNever : out * 1000;
    const int64_t txAt = tx_.empty() || xoff_ ? kNever : txDone_;
    const int64_t at = std::min({lineAt, outAt, txAt});
    if (at > now_) return;
    if (at == lineAt) {
      const char byte = line_.front().second;
      line_.pop_front();
      if (!open_) continue;  // nobody listening: the byte is lost
      if (byte == hcsim::kXoff) {
        xoff_ = true;
      } else if (byte == hcsim::kXon) {
        if (xoff_ && !tx_.empty()) txDone_ = std::max(txDone_, at + byteTime_);
        xoff_ = false;
      } else {
        rx_.push_back(byte);
      }
    } else if (at == outAt) {
      for (char byte : model_.TakeOutput(ToMs(at))) {
        rxFree_ = std::max(rxFree_, at) + byteTime_;
        line_.emplace_back(rxFree_, byte);
      }
    } else {
      model_.Receive(std::string_view(&tx_.front(), 1), ToMs(at));
      tx_.pop_front();
      txDone_ = at + byteTime_;
      if (model_.Disconnected()) Drop("device disconnected");
    }
  }
}

void SimLink::AdvanceTo(int64_t t) {
  for (;;) {
    const int64_t next = NextEvent();
    if (next > t) break;
    now_ = std::max(now_, next);
    RunEventsDue();
  }
  now_ = std::max(now_, t);
  RunEventsDue();
}

int SimLink::BytesWaiting() {
  RunEventsDue();
  return open_ ? static_cast<int>(rx_.size()) : 0;
}

int SimLink::ReadByte() {
  RunEventsDue();
  if (!open_ || rx_.empty()) return -1;
  const auto byte = static_cast<unsigned char>(rx_.front());
  rx_.pop_front();
  return byte;
}

bool SimLink::Write(const std::string& bytes) {
  if (!open_) return false;
  if (tx_.empty()) txDone_ = now_ + byteTime_;
  tx_.insert(tx_.end(), bytes.begin(), bytes.end());
  RunEventsDue();
  // A full transmit buffer makes the writer wait for room, as the real driver does.
  while (open_ && tx_.size() > kTransmitBuffer) {
    const int64_t next = NextEvent();
    if (next == kNever) break;
    AdvanceTo(next);
  }
  return open_;
}

bool SimLink::WaitForData(int timeoutMs) {
  ++waits_;
  const int64_t deadline = now_ + int64_t{timeoutMs} * 1000;
  RunEventsDue();
  while (open_ && rx_.empty()) {
    const int64_t next = NextEvent();
    if (next > deadline) {
      AdvanceTo(deadline);
      break;
    }
    AdvanceTo(next);
  }
  return open_ && !rx_.empty();
}
