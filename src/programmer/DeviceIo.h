#pragma once
// What the serial ports need of the system below Qt, on an open serial device's descriptor:
// reading and writing it directly for a host that blocks in the port (one system call per step,
// where Qt's buffers and notifiers take several), looking at it without waiting, locking it, and
// resting to a moment of the monotonic clock. The descriptor is non-blocking and its line
// discipline returns at once when nothing is there. One implementation per platform.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace device_io {

enum class Status {
  kOk,      // bytes moved
  kIdle,    // nothing to read, or no room to write, within the wait (or a signal came)
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

// Right now, without waiting: whether the driver has input, has room for output, or reports the
// device gone (hung up or failed).
bool HasInput(int fd);
bool HasRoom(int fd);
bool Gone(int fd);

// An advisory lock on the open device for this process alone; false when another holds one.
bool LockExclusively(int fd);
// Whether this user lacks read and write permission on path itself (not a missing file).
bool AccessDenied(const std::string& path);
// The name of the group that owns the device at path; empty when it cannot be found.
std::string OwningGroup(const std::string& path);

// Sleeps until the monotonic clock (microseconds, as std::chrono::steady_clock counts them)
// reaches untilUs; false when a signal (Ctrl-C) ended it early.
bool RestUntil(int64_t untilUs);

}  // namespace device_io
