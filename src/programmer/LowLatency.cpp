#include "programmer/LowLatency.h"

#include <cstring>

std::string LowLatencyText(const std::string& device, const LowLatencyReport& report) {
  using Outcome = LowLatencyReport::Outcome;
  const std::string driver = report.driver.empty() ? "usb-serial" : report.driver;
  const auto ms = [](int value) { return std::to_string(value) + " ms"; };
  const bool timer = report.timerBeforeMs >= 0 && report.timerAfterMs >= 0;
  switch (report.outcome) {
    case Outcome::kNotUsbSerial:
      return {};
    case Outcome::kTurnedOn:
      return device + ": " + driver + ", " +
             (timer ? "latency timer " + ms(report.timerBeforeMs) + " -> " +
                          ms(report.timerAfterMs) + " (low latency on)"
                    : "low latency on");
    case Outcome::kWasOn:
      return device + ": " + driver + ", " +
             (timer ? "latency timer " + ms(report.timerAfterMs) + " (low latency was on already)"
                    : "low latency was on already");
    case Outcome::kNotKept:
      return device + ": " + driver + " does not support low latency" +
             (report.timerAfterMs >= 0 ? " (latency timer " + ms(report.timerAfterMs) + ")" : "");
    case Outcome::kFailed:
      return device + ": " + driver + ", low latency not set: " + std::strerror(report.error);
  }
  return {};
}
