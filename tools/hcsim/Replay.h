#pragma once
// A recorded session played back: the host's bytes are checked against those the trace
// recorded, and each recorded reply goes out once the host has sent what preceded it in the
// trace (at once, or after the recorded delay). The first command that differs ends the replay
// with a message naming it, so a user's failing session becomes a repeatable run.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Device.h"

namespace hcsim {

class ReplayDevice : public Device {
 public:
  // Reads a trace in the serial trace format (either end's). False with a reason when it holds
  // no byte from the host, or a line that is neither a comment nor a trace line.
  bool Load(std::string_view traceText, std::string& error);
  // Replies after the delay the trace recorded between the host's last byte and the reply.
  void UseRecordedTiming(bool recorded) { recordedTiming_ = recorded; }

  void Receive(std::string_view bytes, int64_t nowMs) override;
  int64_t NextOutputDue() const override;
  std::string TakeOutput(int64_t nowMs) override;
  bool Disconnected() const override { return !difference_.empty(); }
  std::vector<std::string> TakeCommands() override;

  // Set when the host sent something the trace does not have: "command 214 was ..., the trace
  // has ...".
  const std::string& Difference() const { return difference_; }
  // Whether every reply of the trace has gone out.
  bool Finished() const { return nextReply_ == replies_.size() && out_.empty(); }

  // A difference waits this long for the rest of its command before it is reported.
  static constexpr int64_t kReportAfterMs = 200;

 private:
  struct Unit {
    size_t start, length;
    int command;  // the command's number from 1; for write data, the write's number
    bool data;
  };
  struct Reply {
    size_t after;  // host bytes the trace had before it
    int64_t delayMs;
    std::string bytes;
  };
  struct Output {
    int64_t due;
    std::string bytes;
  };
  void SplitUnits();
  const Unit* UnitAt(size_t position) const;
  void QueueReplies(int64_t nowMs);
  void Report();

  std::string expected_;  // every byte the host sent in the recorded session
  std::vector<Unit> units_;
  std::vector<Reply> replies_;
  size_t nextReply_ = 0;
  std::string received_;
  bool diverged_ = false;
  size_t divergedAt_ = 0;
  int64_t reportDueMs_ = kNever;
  std::string difference_;
  std::vector<Output> out_;
  bool recordedTiming_ = false;
  size_t commandsTaken_ = 0;
};

}  // namespace hcsim
