#include "programmer/Ports.h"

bool ISerialPort::ReadReply(int, int timeoutMs, std::string& reply) {
  // A wait returns at once when a byte is there; a reply is never there the moment its command
  // left, so waiting before looking costs nothing.
  WaitForData(timeoutMs);
  for (int waiting = BytesWaiting(); waiting > 0; --waiting) {
    const int byte = ReadByte();
    if (byte == '#') return true;
    if (byte >= 0) reply.push_back(static_cast<char>(byte));
  }
  return false;
}
