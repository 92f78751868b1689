// The services the link runs on, and the small helpers every link operation shares.
#include "programmer/Link.h"

#include "startup/Startup.h"

namespace {

// Stand-ins used until a host installs its services: the port is never open, so every exchange
// fails at once instead of dereferencing nothing.
class ClosedPort : public ISerialPort {
 public:
  void SetDevice(const std::string&) override {}
  bool Open() override { return false; }
  void Close() override {}
  bool IsOpen() const override { return false; }
  int BytesWaiting() override { return 0; }
  int ReadByte() override { return -1; }
  bool Write(const std::string&) override { return false; }
  bool WaitForData(int) override { return false; }
  std::string LastError() const override { return "no serial port installed"; }
};

class StillClock : public IClock {
 public:
  uint32_t TickCount() override { return 0; }
  void Sleep(int) override {}
};

// Answers every question the cautious way: no retry, no "continue".
class SilentHost : public IHost {
 public:
  void Breathe() override {}
  MsgAnswer Message(const HostMessage& message) override {
    switch (message.row->buttons) {
      case MsgButtons::Ok:
        return MsgAnswer::Ok;
      case MsgButtons::RetryCancel:
        return MsgAnswer::Cancel;
      default:
        return MsgAnswer::No;
    }
  }
  void Progress(LinkPhase, double) override {}
  void ShowProgrammingModeHelp() override {}
  void CancelDeclined() override {}
};

ClosedPort gClosedPort;
StillClock gStillClock;
SilentHost gSilentHost;

ISerialPort* gPort = nullptr;
IClock* gClock = nullptr;
IHost* gHost = nullptr;

}  // namespace

void SetLinkServices(ISerialPort* port, IClock* clock, IHost* host) {
  gPort = port;
  gClock = clock;
  gHost = host;
  // EndProgram sits below the link and cannot call it; the link tells it how to close the port.
  SetClosePortHook(port ? CloseComPort : std::function<void()>());
}

ISerialPort& LinkPort() {
  return gPort ? *gPort : gClosedPort;
}
IClock& LinkClock() {
  return gClock ? *gClock : gStillClock;
}
IHost& LinkHost() {
  return gHost ? *gHost : gSilentHost;
}

std::string HexPad(uint32_t value, int width) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text(width > 0 ? width : 0, '0');
  for (int i = width - 1; i >= 0; --i) {
    text[i] = kDigits[value & 0xF];
    value >>= 4;
  }
  return text;
}

void CloseComPort() {
  if (LinkPort().IsOpen()) LinkPort().Close();
}
