#include <cstdlib>

#include "HandControlModel.h"

namespace hcsim {

bool ParseNumber(const std::string& text, int64_t& value) {
  if (text.empty() || text.size() > 12) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  value = std::strtoll(text.c_str(), nullptr, 10);
  return true;
}

namespace {

bool ParseBlock(const std::string& text, BlockRef& ref) {
  const auto colon = text.find(':');
  int64_t bank = 0, block = 0;
  if (colon == std::string::npos || !ParseNumber(text.substr(0, colon), bank) ||
      !ParseNumber(text.substr(colon + 1), block) || bank > 1 || block > 511) {
    return false;
  }
  ref = BlockRef{static_cast<int>(bank), static_cast<int>(block)};
  return true;
}

}  // namespace

std::string FaultHelp() {
  return "silent            never answer (commands are still logged)\n"
         "mute=N            from the Nth command received (from 1) on, never answer\n"
         "delay=N[:D]       replies leave N ms late; only for command digit D when given\n"
         "noise[=N]         the first N replies (default 1) start with a stray '~'\n"
         "nack=N            the Nth write command (from 1) is never acknowledged\n"
         "corrupt=B:K       block K of bank B reads back with byte 0 changed\n"
         "swap=B:K          block K of bank B reads back with bytes 0 and 1 exchanged\n"
         "lowercase         hex digits in replies are lower case\n"
         "disconnect=N      the device goes away after receiving N bytes\n"
         "xoff=N            XOFF right after the first write command, XON N ms later\n";
}

bool ParseFault(const std::string& spec, Faults& faults, std::string& error) {
  const auto eq = spec.find('=');
  const std::string name = spec.substr(0, eq);
  const std::string arg = eq == std::string::npos ? "" : spec.substr(eq + 1);
  const bool hasArg = eq != std::string::npos;
  int64_t n = 0;
  BlockRef ref;
  error.clear();
  if (name == "silent" && !hasArg) {
    faults.silent = true;
  } else if (name == "lowercase" && !hasArg) {
    faults.lowercase = true;
  } else if (name == "noise" && (!hasArg || ParseNumber(arg, n))) {
    faults.noise = hasArg ? static_cast<int>(n) : 1;
  } else if (name == "delay" && hasArg) {
    const auto colon = arg.find(':');
    const std::string digit = colon == std::string::npos ? "" : arg.substr(colon + 1);
    if (!ParseNumber(arg.substr(0, colon), n) || n > 3600000 ||
        (colon != std::string::npos && (digit.size() != 1 || digit[0] < '0' || digit[0] > '9'))) {
      error = "delay wants N or N:D (milliseconds, command digit): " + spec;
      return false;
    }
    faults.delayMs = static_cast<int>(n);
    faults.delayCommand = digit.empty() ? 0 : digit[0];
  } else if (name == "mute" && ParseNumber(arg, n) && n >= 1 && n < 1000000000) {
    faults.muteFrom = static_cast<int>(n);
  } else if (name == "nack" && ParseNumber(arg, n) && n >= 1 && n < 1000000) {
    faults.nackWrite = static_cast<int>(n);
  } else if (name == "disconnect" && ParseNumber(arg, n)) {
    faults.disconnectAfter = n;
  } else if (name == "xoff" && ParseNumber(arg, n) && n <= 3600000) {
    faults.xoffMs = static_cast<int>(n);
  } else if ((name == "corrupt" || name == "swap") && ParseBlock(arg, ref)) {
    (name == "corrupt" ? faults.corrupt : faults.swap).push_back(ref);
  } else {
    error = "unknown or malformed fault \"" + spec + "\"; accepted:\n" + FaultHelp();
    return false;
  }
  return true;
}

}  // namespace hcsim
