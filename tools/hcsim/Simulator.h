#pragma once
// Serves the device model on a pty master: paces both directions like a real line and emulates
// the host's 4096-byte transmit buffer with XOFF/XON, since a pty would otherwise swallow tens of
// kilobytes at once and report them as sent.
#include <cstdint>
#include <string>

#include "HandControlModel.h"
#include "PacedLine.h"
#include "UsbAdapter.h"
#include "base/SerialTrace.h"

namespace hcsim {

int64_t MonotonicUs();

class Simulator {
 public:
  enum class End { Signal, Disconnected, Error };

  Simulator(HandControlModel& model, int masterFd, int baud, bool verbose);
  // Records every byte as it finishes crossing the line, in either direction.
  void SetTrace(SerialTrace* trace) { trace_ = trace; }
  // Replies reach the host through a USB adapter with this latency timer; 0 for none.
  void SetAdapterLatency(int ms) { adapter_ = UsbAdapter(int64_t{ms} * 1000, MonotonicUs()); }
  // Serves until signalFd becomes readable, the model disconnects, or the pty fails.
  End Run(int signalFd);
  const std::string& Error() const { return error_; }

  // Bytes the host may have on their way before it is held with XOFF.
  static constexpr size_t kHostBuffer = 4096;
  // While a line streams, wake at most this often and take every byte due.
  static constexpr int64_t kStreamBatchUs = 2000;

 private:
  void Step(int64_t nowUs);
  bool ReadHost(int64_t nowUs);
  bool FlushToHost();
  void UpdateHostFlow();
  int64_t NextWakeUs(int64_t nowUs) const;
  void LogCommands();
  void Trace(SerialTrace::Direction direction, char byte, int64_t monotonicUs);

  HandControlModel& model_;
  int master_;
  bool paced_;
  bool verbose_;
  PacedLine toDevice_;
  PacedLine toHost_;
  UsbAdapter adapter_;
  std::string writeBuf_;  // arrived at the host's end, not yet taken by the pty
  bool modelXoff_ = false;
  bool bufferXoff_ = false;
  bool hostHeld_ = false;
  size_t commandsLogged_ = 0;
  int64_t lastReceivedUs_ = 0;  // when the latest byte from the host arrived
  SerialTrace* trace_ = nullptr;
  int64_t unixMinusMonotonicUs_;
  std::string error_;
};

}  // namespace hcsim
