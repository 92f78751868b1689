#pragma once
// What the command line asks of the system about its own process.

// CPU seconds this process and the copies it ran for several ports have used so far, user and
// system time together.
double ProcessCpuSeconds();
// Timers of this process wake at their moment, not up to the system's default slack later.
void WakeTimersPrecisely();

// In a copy of this program just forked for one port, before it runs: a process group of its own,
// so that the terminal's Ctrl-C reaches only the parent, which passes each one on once; and
// SIGTERM (a cancel request) should the parent die. Only async-signal-safe calls.
void SeparateWorkerProcess();
// Passes Ctrl-C on to the process pid.
void SendInterrupt(long long pid);
