#pragma once
// A simulated hand control in programming mode: the device end of the serial protocol.
//
// The model knows nothing about time sources or ports. Whoever drives it (the virtual-time
// SimPort of the tests, or hcsim on a pseudo-terminal) does three things:
//   1. hands it every byte that arrives from the host, with the time (ms, any monotonic origin)
//      at which the byte arrived:           model.Receive(bytes, nowMs);
//   2. asks when its next output is due:     model.NextOutputDue()  (kNever when nothing queued);
//   3. takes the bytes that are due:         model.TakeOutput(nowMs)  and sends them on.
// Line pacing (baud rate) belongs to the driver: the model stamps a reply with the time the
// command (or the last data byte of a write) was complete plus the device's own processing time.
// XON (0x11) and XOFF (0x13) from the xoff fault come out of TakeOutput like any other byte;
// a driver that emulates the host's flow control pauses its host-to-device line between them.
//
// Protocol (11-character commands "@@" + digit + 8 characters, replies ended by "#"):
//   @@1PPXXXXXX  select page PP (00..03)                        -> "#"
//   @@2AAAANNXX  write NN blocks (00 = 256) at AAAA on the page, followed by NN*256 raw bytes
//                (flash bits only clear: new = old & data)      -> "#" after the last data byte
//   @@3XXXXXXXX  firmware query -> 95 characters + "#"; characters 89..92 (from 1) are the code
//                held at flash offsets 0xFFFF (high byte) and 0xFFFE (low byte), 4 hex digits
//   @@5XXXXXXXX  erase all flash to 0xFF                        -> "#"
//   @@6AAAA01XX  read one block: 512 hex digits + "#"
//   @@8AAAA01XX  block checksum (sum of the 256 bytes mod 256): 2 hex digits + "#"
// Flash is kept in image-file order (262144 bytes); page P covers file offsets
// (P XOR 1) * 65536 .. + 65535, and addresses wrap within the page. Bytes that do not start a
// command ("@") are dropped while the model looks for one; unknown commands are logged and get
// no reply. The page selected at power-on is 00.
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hcsim {

constexpr int kFlashSize = 262144;
constexpr int64_t kNever = std::numeric_limits<int64_t>::max();
constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;

struct BlockRef {
  int bank = 0;   // 0 or 1
  int block = 0;  // 0..511 within the bank
};

// Misbehaviour on demand. Each field names the text that sets it (see ParseFault).
struct Faults {
  bool silent = false;    // "silent": commands are logged but nothing is ever answered
  int muteFrom = 0;       // "mute=N": from the Nth command received (from 1) on, the same
  int delayMs = 0;        // "delay=N[:D]": replies leave N ms later than usual ...
  char delayCommand = 0;  // ... only for command digit D when given (e.g. "delay=5100:2")
  int noise = 0;          // "noise[=N]": the first N replies (default 1) start with a stray '~'
  int nackWrite = 0;      // "nack=N": the Nth write command received (from 1) is never answered
  std::vector<BlockRef> corrupt;  // "corrupt=B:K": reads of block K of bank B show byte 0 ^ 0x01
  std::vector<BlockRef> swap;     // "swap=B:K": reads of that block show bytes 0 and 1 exchanged
  bool lowercase = false;         // "lowercase": hex digits in replies are lower case
  int64_t disconnectAfter = -1;   // "disconnect=N": after N received bytes the device is gone
  int xoffMs = 0;  // "xoff=N": XOFF right after the first write command, XON N ms later
};

// Adds one fault given as text (the forms above) to faults. False with a reason on bad text.
bool ParseFault(const std::string& spec, Faults& faults, std::string& error);
// Decimal digits only, at most 12 of them; false for anything else (no sign, no spaces).
bool ParseNumber(const std::string& text, int64_t& value);
// The accepted forms, one per line, for --help texts.
std::string FaultHelp();

// How long the device itself takes, in ms, before its reply is due.
struct Timing {
  int commandMs = 1;     // any command
  int eraseMs = 1000;    // erase, on top of commandMs
  int blockWriteMs = 1;  // per block of a write, after its last data byte
};

class HandControlModel {
 public:
  HandControlModel() { flash_.fill(0xFF); }
  explicit HandControlModel(Faults faults, Timing timing = {})
      : faults_(std::move(faults)), timing_(timing) {
    flash_.fill(0xFF);
  }

  // Host -> device. nowMs must not go backwards between calls.
  void Receive(std::string_view bytes, int64_t nowMs);
  // Due time of the earliest queued output byte, or kNever.
  int64_t NextOutputDue() const;
  // Every queued output byte due at or before nowMs, in order.
  std::string TakeOutput(int64_t nowMs);
  // True once the disconnect fault has fired: the driver should drop the line (close the pty,
  // report the port as failed); the model then ignores input and has no output.
  bool Disconnected() const { return disconnected_; }

  std::array<uint8_t, kFlashSize>& Flash() { return flash_; }
  const std::array<uint8_t, kFlashSize>& Flash() const { return flash_; }
  // Every command received since recording began or the log was last taken, as its 11
  // characters, in order (raw write data not included). Not recorded unless asked: a long
  // session would keep tens of kilobytes per programming cycle.
  void RecordCommands(bool record) { recording_ = record; }
  const std::vector<std::string>& CommandLog() const { return log_; }
  std::vector<std::string> TakeCommandLog() { return std::exchange(log_, {}); }
  int64_t BytesReceived() const { return received_; }
  int SelectedPage() const { return page_; }

  Faults& GetFaults() { return faults_; }
  Timing& GetTiming() { return timing_; }

 private:
  struct Output {
    int64_t due;
    std::string bytes;
  };
  void Execute(const std::string& command, int64_t nowMs);
  void FinishWrite(int64_t nowMs);
  void Reply(char commandDigit, const std::string& text, int64_t readyMs);
  void Emit(std::string bytes, int64_t dueMs);
  int FileOffset(int address) const;
  // A block as the device reports it: flash contents with the corrupt/swap faults applied.
  std::array<uint8_t, 256> ReadBlockAt(int address) const;
  std::string Hex(unsigned value, int width) const;

  Faults faults_;
  Timing timing_;
  std::array<uint8_t, kFlashSize> flash_{};
  std::vector<std::string> log_;
  bool recording_ = false;
  std::vector<Output> out_;  // ordered by due time
  std::string command_;      // command characters collected so far
  std::string writeData_;    // raw data of the write in progress
  int writeAddress_ = 0;
  int writeBlocks_ = 0;  // > 0 while raw data are expected
  int writesSeen_ = 0;
  int commandsSeen_ = 0;
  int page_ = 0;
  int repliesSent_ = 0;
  int64_t received_ = 0;
  bool disconnected_ = false;
  bool xoffDone_ = false;
};

}  // namespace hcsim
