#include "programmer/DeviceIo.h"

#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace device_io {

namespace {

constexpr short kGone = POLLHUP | POLLERR | POLLNVAL;

// A read or write error that means the device is no longer there.
Result ErrorResult(int error) {
  return {error == EIO || error == ENXIO || error == ENODEV ? Status::kHungUp : Status::kFailed,
          error};
}

// poll that counts an interruption as "nothing happened": callers loop on their own deadline,
// and a signal (Ctrl-C) should reach them soon.
short Poll(int fd, short events, int timeoutMs, int& error) {
  pollfd device{fd, events, 0};
  error = 0;
  if (::poll(&device, 1, timeoutMs) < 0) {
    error = errno == EINTR ? 0 : errno;
    return 0;
  }
  return device.revents;
}

// Appends everything the driver holds; true when any byte came. A read error before the first
// byte is left in error; one after it shows again at the next look.
bool Drain(int fd, std::string& into, int& error) {
  const size_t before = into.size();
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
      into.append(buffer, static_cast<size_t>(n));
      if (static_cast<size_t>(n) < sizeof buffer) break;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && into.size() == before) error = errno;
    break;
  }
  return into.size() > before;
}

}  // namespace

Result Receive(int fd, int timeoutMs, std::string& into) {
  int error = 0;
  const short events = Poll(fd, POLLIN, timeoutMs, error);
  if (error != 0) return {Status::kFailed, error};
  if (events == 0) return {Status::kIdle};
  if (Drain(fd, into, error)) return {Status::kOk};
  if (error != 0) return ErrorResult(error);
  // Readable yet empty: a hung-up terminal reads as end of file.
  return {(events & kGone) != 0 ? Status::kHungUp : Status::kIdle};
}

Result ReceiveReady(int fd, std::string& into) {
  int error = 0;
  return {Drain(fd, into, error) ? Status::kOk : Status::kIdle};
}

Result Send(int fd, std::string_view bytes, size_t& done, int timeoutMs) {
  const size_t start = done;
  bool waited = false;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return ErrorResult(errno);
    if (waited) break;
    int error = 0;
    const short events = Poll(fd, POLLOUT, timeoutMs, error);
    if (error != 0) return {Status::kFailed, error};
    if ((events & kGone) != 0) return {Status::kHungUp};
    waited = true;
  }
  return {done > start ? Status::kOk : Status::kIdle};
}

bool HasInput(int fd) {
  int error = 0;
  return (Poll(fd, POLLIN, 0, error) & (POLLIN | kGone)) != 0;
}

bool HasRoom(int fd) {
  int error = 0;
  return (Poll(fd, POLLOUT, 0, error) & (POLLOUT | kGone)) != 0;
}

bool Gone(int fd) {
  int error = 0;
  return (Poll(fd, 0, 0, error) & kGone) != 0;
}

bool LockExclusively(int fd) {
  return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

bool AccessDenied(const std::string& path) {
  return ::access(path.c_str(), R_OK | W_OK) != 0 && errno == EACCES;
}

std::string OwningGroup(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  std::vector<char> buffer(16384);
  group entry{};
  group* found = nullptr;
  if (::getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found) {
    return std::to_string(info.st_gid);
  }
  return found->gr_name;
}

bool RestUntil(int64_t untilUs) {
  const timespec wake{static_cast<time_t>(untilUs / 1'000'000),
                      static_cast<long>(untilUs % 1'000'000 * 1000)};
  return ::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) == 0;
}

}  // namespace device_io
