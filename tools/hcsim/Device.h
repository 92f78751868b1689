#pragma once
// What hcsim serves on its line: the device model, or the replay of a recorded session. The
// simulator paces the bytes; the device says what to answer and when.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "HandControlModel.h"

namespace hcsim {

class Device {
 public:
  virtual ~Device() = default;
  // Host -> device, with the time (ms) the bytes came off the line.
  virtual void Receive(std::string_view bytes, int64_t nowMs) = 0;
  // Due time of the earliest output, or kNever.
  virtual int64_t NextOutputDue() const = 0;
  virtual std::string TakeOutput(int64_t nowMs) = 0;
  // True once the device is gone: the disconnect fault fired, or a replay met a difference.
  virtual bool Disconnected() const = 0;
  // Commands received since the last call, for --verbose.
  virtual std::vector<std::string> TakeCommands() = 0;
};

class ModelDevice : public Device {
 public:
  explicit ModelDevice(HandControlModel& model) : model_(model) {}
  void Receive(std::string_view bytes, int64_t nowMs) override { model_.Receive(bytes, nowMs); }
  int64_t NextOutputDue() const override { return model_.NextOutputDue(); }
  std::string TakeOutput(int64_t nowMs) override { return model_.TakeOutput(nowMs); }
  bool Disconnected() const override { return model_.Disconnected(); }
  std::vector<std::string> TakeCommands() override { return model_.TakeCommandLog(); }

 private:
  HandControlModel& model_;
};

}  // namespace hcsim
