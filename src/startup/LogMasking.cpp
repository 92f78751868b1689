#include "startup/LogMasking.h"

#include "startup/Settings.h"

std::string MaskedPassword(const std::string& password) {
  return password.empty() ? "" : "****";
}

std::string MaskedURL(const std::string& withScheme) {
  // The same scheme, host part and credential rule as SplitURL.
  std::string url;
  URLScheme(withScheme, &url);
  const std::string scheme = withScheme.substr(0, withScheme.size() - url.size());
  const auto hostEnd = url.find_first_of("/\\");
  const auto colon = url.find(':');
  const auto at = url.find('@');
  if (colon == std::string::npos || at == std::string::npos || colon > at || at > hostEnd)
    return withScheme;
  return scheme + url.substr(0, colon + 1) + MaskedPassword(url.substr(colon + 1, at - colon - 1)) +
         url.substr(at);
}
