#pragma once
// The pages' own messages: every English text they show in a message box is in PageTexts.cpp
// (the link's texts they also show are in programmer/LinkTexts.cpp).
#include "base/Message.h"

extern const MessageTable kPageMessages;
HostMessage PageMessage(MessageKind kind, std::vector<std::string> args = {});
