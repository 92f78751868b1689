#pragma once
// What the command line asks of the system about its own process.

// CPU seconds this process has used so far, user and system time together.
double ProcessCpuSeconds();
// Timers of this process wake at their moment, not up to the system's default slack later.
void WakeTimersPrecisely();
