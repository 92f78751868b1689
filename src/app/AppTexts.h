#pragma once
// The messages of the wizard's controller and the Web Updates window: every English text they
// show through the host is in AppTexts.cpp.
#include <string>
#include <vector>

#include "base/Message.h"

extern const MessageTable kAppMessages;
HostMessage AppMessage(MessageKind kind, std::vector<std::string> args = {},
                       std::string cause = {});
