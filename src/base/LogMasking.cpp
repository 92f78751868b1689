#include "base/LogMasking.h"

#include <algorithm>
#include <cctype>

#include "base/TextUtil.h"

std::string URLScheme(const std::string& url, std::string* rest) {
  std::string head = url.substr(0, 8);
  for (char& c : head)
    if (c == '\\') c = '/';
  head = UpperAscii(head);
  std::string scheme = "http";
  size_t length = 0;
  if (head.rfind("HTTPS://", 0) == 0) {
    scheme = "https";
    length = 8;
  } else if (head.rfind("HTTP://", 0) == 0) {
    length = 7;
  }
  if (rest) *rest = url.substr(length);
  return scheme;
}

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
  if (firstAt < hostEnd && url.find('@', firstAt + 1) < hostEnd) return true;
  if (url.find('@', colon) < hostEnd) return false;
  // No "@" between the ":" and the first "/" (one before the ":" is the user's), but one later:
  // unless a port number stands after the ":", the "/" belongs to the password.
  const std::string port = url.substr(colon + 1, hostEnd - colon - 1);
  return port.empty() || port.find_first_not_of("0123456789") != std::string::npos;
}

std::string MaskedURL(const std::string& withScheme) {
  // The same scheme, host part and credential rules as SplitURL.
  std::string url;
  URLScheme(withScheme, &url);
  const std::string scheme = withScheme.substr(0, withScheme.size() - url.size());
  const auto colon = url.find(':');
  if (HasBareCredentials(url))
    return scheme + url.substr(0, colon + 1) + "****" + url.substr(url.rfind('@'));
  const auto hostEnd = url.find_first_of("/\\");
  const auto at = url.find('@');
  if (colon == std::string::npos || at == std::string::npos || colon > at || at > hostEnd)
    return withScheme;
  return scheme + url.substr(0, colon + 1) + MaskedPassword(url.substr(colon + 1, at - colon - 1)) +
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
