#pragma once
// Passwords never reach the debug log: users attach it to support requests.
#include <string>

// "****" for a password that is set, empty for none.
std::string MaskedPassword(const std::string& password);
// The download address with the password of a user:password@host prefix replaced by "****".
std::string MaskedURL(const std::string& url);

// Whether an address carries credentials whose password holds a bare "@" or "/" (or "\"), so
// that splitting it would put part of the password into the host name or the path. The ":" of
// a port ("host:8080/fw/a@b.txt") is not taken for credentials.
bool HasBareCredentials(const std::string& url);

// %XX sequences replaced by their bytes; a "%" not followed by two hex digits stays as it is.
std::string PercentDecoded(const std::string& text);

// "https" or "http" (also when the address names no scheme, as addresses always could); the
// address without its scheme goes to rest. The scheme may be written in any case, "\\" counting
// as "/".
std::string URLScheme(const std::string& url, std::string* rest = nullptr);
