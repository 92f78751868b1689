#pragma once
// The two things the link needs from the outside world, kept narrow so that the same code runs
// against a real serial port, a pseudo-terminal, or a simulated hand control on virtual time.
#include <cstdint>
#include <string>

class ISerialPort {
 public:
  virtual ~ISerialPort() = default;
  // Device path to open, e.g. "/dev/ttyUSB0". Line settings are fixed: 19200 8N1, XON/XOFF.
  virtual void SetDevice(const std::string& device) = 0;
  virtual bool Open() = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual int BytesWaiting() = 0;
  // One received byte (0..255), or -1 when none is waiting.
  virtual int ReadByte() = 0;
  // Hands every byte to the line in order; returns false when the port failed meanwhile.
  virtual bool Write(const std::string& bytes) = 0;
  // Blocks (without spinning) until at least one byte is waiting or timeoutMs has passed.
  // Returns true when a byte is waiting.
  virtual bool WaitForData(int timeoutMs) = 0;
  // Reads the reply to what was last written up to the "#" that ends it: appends the bytes that
  // came to reply, takes the "#" without appending it, and returns true once it came; bytes after
  // it stay waiting. expectedLength (reply's whole length without the "#") tells how long the
  // rest takes on the line, so a port may rest instead of waking for every piece. Waits at most
  // timeoutMs, and may return sooner without the "#" (a signal, the port closing); the caller
  // calls again with the same reply until its own deadline, breathing in between. This version
  // waits for each piece as it comes.
  virtual bool ReadReply(int expectedLength, int timeoutMs, std::string& reply);
  // Why the last Open or I/O failed, for the debug log and the CLI ("permission denied" ...).
  virtual std::string LastError() const = 0;
};

class IClock {
 public:
  virtual ~IClock() = default;
  virtual uint32_t TickCount() = 0;  // milliseconds
  virtual void Sleep(int ms) = 0;
};
