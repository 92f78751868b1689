#include "Simulator.h"

#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace hcsim {

int64_t MonotonicUs() {
  timespec ts{};
  ::clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1'000'000 + ts.tv_nsec / 1000;
}

Simulator::Simulator(HandControlModel& model, int masterFd, int baud, bool verbose)
    : model_(model),
      master_(masterFd),
      paced_(baud > 0),
      verbose_(verbose),
      toDevice_(baud),
      toHost_(baud),
      unixMinusMonotonicUs_(SerialTrace::NowUnixUs() - MonotonicUs()) {}

void Simulator::Trace(SerialTrace::Direction direction, char byte, int64_t monotonicUs) {
  if (trace_)
    trace_->Record(direction, std::string_view(&byte, 1), monotonicUs + unixMinusMonotonicUs_);
}

Simulator::End Simulator::Run(int signalFd) {
  // Wake-ups to the microsecond: the default timer slack would let each one come up to 50
  // microseconds late, and a reply's end is such a wake-up.
  ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  for (;;) {
    const int64_t now = MonotonicUs();
    Step(now);
    if (model_.Disconnected()) return End::Disconnected;
    if (!FlushToHost()) return End::Error;

    // Wake to the microsecond a byte is due: whole-millisecond timeouts would add up to a
    // millisecond to every reply.
    const int64_t wake = NextWakeUs(now);
    timespec timeout{};
    if (wake != kNeverUs) {
      const int64_t waitUs = std::clamp<int64_t>(wake - MonotonicUs(), 0, 60'000'000);
      timeout.tv_sec = static_cast<time_t>(waitUs / 1'000'000);
      timeout.tv_nsec = static_cast<long>(waitUs % 1'000'000 * 1000);
    }
    pollfd fds[2] = {{signalFd, POLLIN, 0},
                     {master_, static_cast<short>(POLLIN | (writeBuf_.empty() ? 0 : POLLOUT)), 0}};
    if (::ppoll(fds, 2, wake == kNeverUs ? nullptr : &timeout, nullptr) < 0) {
      if (errno == EINTR) continue;
      error_ = std::string("poll: ") + std::strerror(errno);
      return End::Error;
    }
    if (fds[0].revents & POLLIN) return End::Signal;
    if (fds[1].revents & POLLIN) {
      if (!ReadHost(MonotonicUs())) return End::Error;
    } else if (fds[1].revents & (POLLHUP | POLLERR)) {
      // Cannot happen while we hold the slave open; never spin on it if it does.
      error_ = "the pseudo-terminal hung up";
      return End::Error;
    }
  }
}

void Simulator::Step(int64_t nowUs) {
  toDevice_.Deliver(nowUs, [this](char c, int64_t atUs) {
    Trace(SerialTrace::Direction::ToDevice, c, atUs);
    model_.Receive(std::string_view(&c, 1), atUs / 1000);
    lastReceivedUs_ = atUs;
  });
  if (verbose_) LogCommands();
  if (model_.Disconnected()) return;
  // Each output goes on the line when the device had it ready, not when this process got round
  // to it: a late wake-up must not lengthen the device's answer. Ready means due and not before
  // the byte that asked for it (due times are whole milliseconds).
  for (int64_t dueMs = model_.NextOutputDue(); dueMs != kNever && dueMs <= nowUs / 1000;
       dueMs = model_.NextOutputDue()) {
    const int64_t readyUs = std::min(std::max(dueMs * 1000, lastReceivedUs_), nowUs);
    toHost_.Push(model_.TakeOutput(dueMs), readyUs);
  }
  toHost_.Deliver(nowUs, [this, nowUs](char c, int64_t atUs) {
    Trace(SerialTrace::Direction::ToHost, c, atUs);
    // The device's own XON/XOFF: hold or release the host's transmitter, as a real port would.
    if (c == kXoff || c == kXon) {
      modelXoff_ = c == kXoff;
      toDevice_.SetPaused(modelXoff_, nowUs);
    } else if (adapter_.Present()) {
      adapter_.Arrive(c, atUs);
    } else {
      writeBuf_.push_back(c);
    }
  });
  adapter_.Release(nowUs, [this](const std::string& packet, int64_t atUs) {
    writeBuf_ += packet;
    if (trace_) {
      const int64_t unixUs = atUs + unixMinusMonotonicUs_;
      char line[96];
      std::snprintf(line, sizeof line, "adapter packet of %zu bytes to the host at %lld.%06lld",
                    packet.size(), static_cast<long long>(unixUs / 1'000'000),
                    static_cast<long long>(unixUs % 1'000'000));
      trace_->Comment(line);
    }
  });
  UpdateHostFlow();
}

bool Simulator::ReadHost(int64_t nowUs) {
  char buf[4096];
  for (int i = 0; i < 16; ++i) {
    const ssize_t n = ::read(master_, buf, sizeof buf);
    if (n > 0) {
      toDevice_.Push(std::string_view(buf, static_cast<size_t>(n)), nowUs);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    // EIO means no host has the slave open (only while nobody holds it); EAGAIN: all read.
    if (n < 0 && errno != EAGAIN && errno != EIO) {
      error_ = std::string("read: ") + std::strerror(errno);
      return false;
    }
    break;
  }
  UpdateHostFlow();
  return true;
}

bool Simulator::FlushToHost() {
  while (!writeBuf_.empty()) {
    const ssize_t n = ::write(master_, writeBuf_.data(), writeBuf_.size());
    if (n > 0) {
      writeBuf_.erase(0, static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) {
      error_ = std::string("write: ") + std::strerror(errno);
      return false;
    }
    break;  // the host is not reading: keep the rest, poll says when there is room
  }
  return true;
}

void Simulator::UpdateHostFlow() {
  if (paced_) {
    const size_t pending = toDevice_.Pending();
    if (pending > kHostBuffer) bufferXoff_ = true;
    if (pending <= kHostBuffer / 2) bufferXoff_ = false;
  }
  const bool hold = modelXoff_ || bufferXoff_;
  if (hold == hostHeld_) return;
  hostHeld_ = hold;
  // Flow control characters overtake queued data, as a UART sends them.
  writeBuf_.insert(writeBuf_.begin(), hold ? kXoff : kXon);
  Trace(SerialTrace::Direction::ToHost, hold ? kXoff : kXon, MonotonicUs());
}

int64_t Simulator::NextWakeUs(int64_t nowUs) const {
  int64_t wake =
      std::min(toDevice_.WakeUs(nowUs, kStreamBatchUs), toHost_.WakeUs(nowUs, kStreamBatchUs));
  const int64_t modelDue = model_.NextOutputDue();
  if (modelDue != kNever) wake = std::min(wake, modelDue * 1000);
  return std::min(wake, adapter_.NextReleaseUs());
}

void Simulator::LogCommands() {
  const auto& log = model_.CommandLog();
  for (; commandsLogged_ < log.size(); ++commandsLogged_) {
    std::fprintf(stderr, "hcsim: %s\n", log[commandsLogged_].c_str());
  }
}

}  // namespace hcsim
