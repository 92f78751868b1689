#pragma once
// Passwords never reach the debug log: users attach it to support requests.
#include <string>

// "****" for a password that is set, empty for none.
std::string MaskedPassword(const std::string& password);
// The download address with the password of a user:password@host prefix replaced by "****".
std::string MaskedURL(const std::string& url);
