#pragma once
// Reading and writing an open serial device's descriptor directly, for a host that blocks in
// the port: one system call per step, where Qt's buffers and notifiers take several. The
// descriptor is non-blocking and its line discipline returns at once when nothing is there.
#include <cstddef>
#include <string>
#include <string_view>

namespace device_io {

enum class Status {
  kOk,      // bytes moved
  kIdle,    // nothing to read, or no room to write, within the wait
  kHungUp,  // the device went away (adapter unplugged, the other end of a pty closed)
  kFailed,  // any other error; error holds errno
};

struct Result {
  Status status;
  int error = 0;
};

// Waits up to timeoutMs (0: only looks) for input, then appends everything the driver holds to
// into. A device that hung up still yields the bytes it delivered before it went.
Result Receive(int fd, int timeoutMs, std::string& into);

// Appends what the driver holds right now, without waiting and without asking poll first: kOk
// when bytes came, otherwise kIdle whatever the reason (Receive tells silence from a hang-up).
Result ReceiveReady(int fd, std::string& into);

// Hands bytes from done on to the driver, as many as it takes, and advances done. When the
// driver has no room (a slow line, XOFF), waits up to timeoutMs for some first.
Result Send(int fd, std::string_view bytes, size_t& done, int timeoutMs);

}  // namespace device_io
