#pragma once
// The hand control link: serial exchange, identification, programming and verification.
#include <cstdint>
#include <string>

#include "base/Host.h"
#include "programmer/Ports.h"

// The services the operations below use. The host installs them before the first operation.
void SetLinkServices(ISerialPort* port, IClock* clock, IHost* host);
ISerialPort& LinkPort();
IClock& LinkClock();
IHost& LinkHost();

// "COM3" -> the device it stands for on this machine (ports/COM3 link beside the executable,
// else the fixed mapping); empty when the name cannot stand for a device.
std::string ResolvePortDevice(const std::string& comName);

// Serial link and command exchange.
bool OpenComPort();
void CloseComPort();
bool ComPortExists(const std::string& name);
bool SendCommand(const std::string& command, int replyLength, int timeoutMs, int tries,
                 std::string& reply);
bool ReadReply(int timeoutMs, std::string& reply);
bool PingHandControl();
void SendBlockData(int bank, int block);
std::string HexPad(uint32_t value, int width);

// Identification and status.
extern std::string gHcType;
extern int16_t gHcMajor, gHcMinor;
extern std::string gHcChecksum;
bool GetFileVersion(std::string& typeName, int16_t& major, int16_t& minor);
bool QueryHandControlVersion(std::string& typeName, int16_t& major, int16_t& minor);
void RefreshHandControlInfo();
std::string BuildStatusText();

// Programming and verification; progress and questions go to LinkHost().
// The run flags, read here and changed only through OperationScope.
extern const bool& gProgramming;
extern const bool& gVerifying;
extern const bool& gCancelProgramming;
extern const bool& gCancelVerify;
bool ProgramHandControl();
bool EraseFlash();
void ShowProgress(LinkPhase phase, int position);
bool ReadBlockChecksum(int offset, int16_t& checksum, bool selectPage);
bool FastVerify();
bool FullVerify();
bool ReadBlock(int offset, uint8_t* data, bool selectPage);
// Reading the firmware back: every written block into image (the rest stays 0xFF), with a
// retry question for an unreadable block and the host's stop request seen between blocks.
enum class ReadBackEnd { Read, Stopped, Failed, PortLost };
struct ReadBackResult {
  ReadBackEnd end;
  int bank, block;  // where it ended, unless it read everything
};
ReadBackResult ReadHandControl(std::string& image);
// True when the port closed under the running operation (adapter pulled, read error); the
// user is told "The connection to the hand control on COMn was lost." each time it is true, so
// callers ask it once, where a failed exchange would otherwise lead to a retry question.
bool PortWasLost();
