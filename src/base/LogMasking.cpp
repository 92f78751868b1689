#include "base/LogMasking.h"

#include <algorithm>
#include <cctype>

std::string MaskedPassword(const std::string& password) {
  return password.empty() ? "" : "****";
}

bool HasBareCredentials(const std::string& url) {
  const auto hostEnd = std::min(url.find_first_of("/\\"), url.size());
  const auto colon = url.find(':');
  const auto lastAt = url.rfind('@');
  if (colon == std::string::npos || lastAt == std::string::npos || colon > hostEnd ||
      colon > lastAt)
    return false;
  const auto firstAt = url.find('@');
  // A second "@" before the end of the host part: the password holds a bare "@".
  if (firstAt < hostEnd) return url.find('@', firstAt + 1) < hostEnd;
  // No "@" before the first "/", but one later: unless a port number stands after the ":",
  // the "/" belongs to the password.
  const std::string port = url.substr(colon + 1, hostEnd - colon - 1);
  return port.empty() || port.find_first_not_of("0123456789") != std::string::npos;
}

std::string MaskedURL(const std::string& url) {
  const auto colon = url.find(':');
  if (HasBareCredentials(url))
    return url.substr(0, colon + 1) + "****" + url.substr(url.rfind('@'));
  // The same host part and credential rule as SplitURL.
  const auto hostEnd = url.find_first_of("/\\");
  const auto at = url.find('@');
  if (colon == std::string::npos || at == std::string::npos || colon > at || at > hostEnd)
    return url;
  return url.substr(0, colon + 1) + MaskedPassword(url.substr(colon + 1, at - colon - 1)) +
         url.substr(at);
}

std::string PercentDecoded(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() &&
        std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}
