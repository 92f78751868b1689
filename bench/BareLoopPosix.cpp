#include "BareLoop.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// One command and its reply of replyBytes up to "#"; false on a timeout or an error.
bool Exchange(int fd, const char* command, int replyBytes, int baud, int64_t& bytes) {
  timespec wake{};
  ::clock_gettime(CLOCK_MONOTONIC, &wake);
  if (::write(fd, command, 11) != 11) return false;
  bytes += 11;
  char reply[600];
  size_t got = 0;
  // The command and its reply at the line's rate, and 100 us for the wake-ups on the way.
  const int64_t restNs = (11 + replyBytes) * 10'000'000'000LL / baud + 100'000;
  wake.tv_nsec += restNs;
  wake.tv_sec += wake.tv_nsec / 1'000'000'000;
  wake.tv_nsec %= 1'000'000'000;
  ::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr);
  if (const ssize_t n = ::read(fd, reply, sizeof reply); n > 0) {
    got = static_cast<size_t>(n);
    if (reply[got - 1] == '#') {
      bytes += static_cast<int64_t>(got);
      return true;
    }
  }
  while (got < sizeof reply) {
    pollfd device{fd, POLLIN, 0};
    if (::poll(&device, 1, 5000) <= 0) return false;
    const ssize_t n = ::read(fd, reply + got, sizeof reply - got);
    if (n <= 0) return false;
    got += static_cast<size_t>(n);
    if (reply[got - 1] == '#') {
      bytes += static_cast<int64_t>(got);
      return true;
    }
  }
  return false;
}

}  // namespace

BareLoopResult RunBareLoop(const std::string& device, int pages, int sums, int baud) {
  BareLoopResult result;
  ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return result;
  termios tio{};
  ::tcgetattr(fd, &tio);
  ::cfmakeraw(&tio);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  ::tcsetattr(fd, TCSANOW, &tio);
  ::tcflush(fd, TCIOFLUSH);

  const auto start = std::chrono::steady_clock::now();
  const double cpuBefore = CpuSeconds();
  result.ok = true;
  for (int page = 0; page < pages && result.ok; ++page) {
    char command[16];
    std::snprintf(command, sizeof command, "@@1%02XXXXXXX", page & 1);
    result.ok = Exchange(fd, command, 1, baud, result.bytes);
    for (int i = 0; i < sums / pages && result.ok; ++i) {
      std::snprintf(command, sizeof command, "@@8%04X01XX", (i * 256) & 0xFFFF);
      result.ok = Exchange(fd, command, 3, baud, result.bytes);
      ++result.exchanges;
    }
    ++result.exchanges;
  }
  result.cpu = CpuSeconds() - cpuBefore;
  result.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ::close(fd);
  return result;
}
