#pragma once
// Test seam for the debug log's time stamps: the local date and time a line is written at.
#include <QDateTime>
#include <functional>
#include <string>

using DebugLogClock = std::function<QDateTime()>;
// An empty clock restores the system's local time.
void SetDebugLogClock(DebugLogClock clock);
// "yyyymmddhhnnss", hour 0 to 23.
std::string DebugLogTimeStamp(const QDateTime& local);
