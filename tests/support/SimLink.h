#pragma once
// A simulated hand control behind a serial line, all on virtual time: the link's port and clock
// for tests. Time moves only when the link waits (WaitForData, Sleep) or a write has to wait for
// room in the transmit buffer, so a test of a 20 s timeout takes microseconds, and an operation
// that polls without waiting never sees time pass (and hangs, which a test notices).
#include <cstdint>
#include <deque>
#include <string>

#include "HandControlModel.h"
#include "programmer/Ports.h"

class SimLink : public ISerialPort, public IClock {
 public:
  // baud 0 moves bytes instantly; otherwise each byte takes 10 bit times, as on a 8N1 line.
  explicit SimLink(hcsim::Faults faults = {}, int baud = 0, hcsim::Timing timing = {});

  hcsim::HandControlModel& Device() { return model_; }
  int64_t NowMs() const { return now_ / 1000; }
  // Makes TickCount start elsewhere (e.g. just before the 32-bit counter wraps).
  void SetTickOffset(uint32_t offset) { tickOffset_ = offset; }
  // The next Open fails with this reason ("Permission denied"); empty to allow it again.
  void FailOpensWith(const std::string& reason) { openError_ = reason; }
  // The adapter is pulled out: the port closes itself, as the real backend does.
  void Unplug(const std::string& reason = "device disconnected");
  // The same, at a moment of virtual time (ms), whatever the link is doing then.
  void UnplugAt(int64_t ms) { unplugAt_ = ms * 1000; }
  const std::string& DeviceName() const { return device_; }
  int Opens() const { return opens_; }
  int Waits() const { return waits_; }

  // ISerialPort
  void SetDevice(const std::string& device) override { device_ = device; }
  bool Open() override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  int BytesWaiting() override;
  int ReadByte() override;
  bool Write(const std::string& bytes) override;
  bool WaitForData(int timeoutMs) override;
  std::string LastError() const override { return error_; }

  // IClock
  uint32_t TickCount() override { return static_cast<uint32_t>(now_ / 1000) + tickOffset_; }
  void Sleep(int ms) override { AdvanceTo(now_ + int64_t{ms} * 1000); }

  static constexpr size_t kTransmitBuffer = 4096;

 private:
  // Times below are in microseconds of virtual time.
  int64_t NextEvent() const;
  void AdvanceTo(int64_t t);
  void RunEventsDue();
  void Drop(const std::string& reason);

  hcsim::HandControlModel model_;
  int64_t byteTime_ = 0;  // one byte on the line
  int64_t now_ = 0;
  uint32_t tickOffset_ = 0;
  std::deque<char> tx_;                        // host bytes not yet on the device side
  int64_t txDone_ = 0;                         // when tx_.front() has crossed the line
  std::deque<std::pair<int64_t, char>> line_;  // device bytes on their way, with arrival time
  int64_t rxFree_ = 0;                         // when the device-to-host line is free
  int64_t unplugAt_ = hcsim::kNever;
  std::deque<char> rx_;  // arrived, waiting to be read
  bool xoff_ = false;
  bool open_ = false;
  int opens_ = 0;
  int waits_ = 0;
  std::string device_;
  std::string error_;
  std::string openError_;
};
