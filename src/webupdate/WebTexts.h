#pragma once
// The download site's messages: every English text the HTTP client and the self-update show
// through their host is in WebTexts.cpp.
#include <string>
#include <vector>

#include "base/Message.h"

extern const MessageTable kWebMessages;
HostMessage WebMessage(MessageKind kind, std::vector<std::string> args = {},
                       std::string cause = {});
