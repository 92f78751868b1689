// The reply reader on arbitrary bytes from the hand control: a scripted port hands the input to
// the exchange in pieces of the sizes its first bytes choose. No crash, no endless wait, and a
// reply is taken only when it has exactly the expected length and ended with "#".
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "programmer/Link.h"

namespace {

class ScriptedPort : public ISerialPort {
 public:
  std::string input;
  size_t pos = 0;
  size_t piece = 1;
  size_t released = 0;
  bool open = true;
  void SetDevice(const std::string&) override {}
  bool Open() override { return open = true; }
  void Close() override { open = false; }
  bool IsOpen() const override { return open; }
  int BytesWaiting() override { return static_cast<int>(released - pos); }
  int ReadByte() override {
    if (pos >= released) return -1;
    return static_cast<unsigned char>(input[pos++]);
  }
  bool Write(const std::string&) override { return open; }
  bool WaitForData(int) override {
    released = std::min(input.size(), released + piece);
    return released > pos;
  }
  std::string LastError() const override { return "closed"; }
};

class SteppingClock : public IClock {
 public:
  uint32_t now = 0;
  uint32_t TickCount() override { return now += 7; }
  void Sleep(int ms) override { now += static_cast<uint32_t>(ms > 0 ? ms : 0); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  ScriptedPort port;
  SteppingClock clock;
  port.piece = 1 + data[0] % 64;
  const int expected = data[1];  // up to 255, beyond the longest reply (95)
  const int tries = 1 + data[2] % 3;
  port.input.assign(reinterpret_cast<const char*>(data) + 3, size - 3);
  SetLinkServices(&port, &clock, nullptr);
  std::string reply;
  const bool ok = SendCommand("@@100XXXXXX", expected, 1000, tries, reply);
  if (ok) {
    FUZZ_CHECK(static_cast<int>(reply.size()) == expected);
    FUZZ_CHECK(reply.find('#') == std::string::npos);
    FUZZ_CHECK(port.input.find(reply + "#") != std::string::npos);
  }
  // Each try waits at most its deadline and a pause.
  FUZZ_CHECK(clock.now < static_cast<uint32_t>(tries) * (1000 + 300));
  SetLinkServices(nullptr, nullptr, nullptr);
  return 0;
}
