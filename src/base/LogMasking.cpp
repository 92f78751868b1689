#include "base/LogMasking.h"

std::string MaskedPassword(const std::string& password) {
  return password.empty() ? "" : "****";
}

std::string MaskedURL(const std::string& url) {
  // The same host part and credential rule as SplitURL.
  const auto hostEnd = url.find_first_of("/\\");
  const auto colon = url.find(':');
  const auto at = url.find('@');
  if (colon == std::string::npos || at == std::string::npos || colon > at || at > hostEnd)
    return url;
  return url.substr(0, colon + 1) + MaskedPassword(url.substr(colon + 1, at - colon - 1)) +
         url.substr(at);
}
