#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include "Process.h"

namespace {

double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

double ProcessCpuSeconds() {
  return CpuSeconds(RUSAGE_SELF) + CpuSeconds(RUSAGE_CHILDREN);
}

void WakeTimersPrecisely() {
  ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

void SeparateWorkerProcess() {
  ::setpgid(0, 0);
  ::prctl(PR_SET_PDEATHSIG, SIGTERM, 0UL, 0UL, 0UL);
}

void SendInterrupt(long long pid) {
  if (pid > 0) ::kill(static_cast<pid_t>(pid), SIGINT);
}
