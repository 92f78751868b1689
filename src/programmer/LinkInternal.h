#pragma once
// Pieces shared by the link's own source files; not part of the link's interface.
#include <string>

#include "base/Host.h"

namespace link_detail {

inline constexpr const char* kCrLf = "\r\n";
inline constexpr int kProgressTotal = 262144;

MsgAnswer Ask(const HostMessage& message);
void Tell(const HostMessage& message);  // a message that needs no answer

// True when the port is no longer open (unplugged, closed on a read error); then the user has
// been told once, so the operation can end without asking questions that cannot help.
bool PortLost();

// Two hex digits of text at position at, in either case.
bool ParseHexByte(const std::string& text, size_t at, int& value);

// The page-select command for the page holding a file offset.
std::string PageCommand(int offset);

enum class PassEnd { Clean, Differences, Stopped };
// The check of every programmed block against the image, as the programming run's last phase
// and as the fast verification.
PassEnd ChecksumPass();

}  // namespace link_detail
