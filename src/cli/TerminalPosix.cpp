// The terminal's width, and word when it changes: the progress line is redrawn to fit.
#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>

#include "Console.h"

namespace {

volatile std::sig_atomic_t gResized = 0;

void OnResize(int) {
  gResized = 1;
}

}  // namespace

int TerminalColumns(int fd) {
  winsize size{};
  if (::ioctl(fd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return 0;
  return size.ws_col;
}

void WatchTerminalSize() {
  struct sigaction action {};
  action.sa_handler = OnResize;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGWINCH, &action, nullptr);
}

bool TerminalResized() {
  if (!gResized) return false;
  gResized = 0;
  return true;
}
