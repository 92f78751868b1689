#pragma once
// The link's messages and progress labels, shown by the pages and padflasher-cli alike: every
// English text of this layer is in LinkTexts.cpp. Line ends are CR LF, as the pages show them.
#include <optional>
#include <string>
#include <vector>

#include "base/Host.h"
#include "programmer/Image.h"

// The programming-mode instructions of the dialog that explains how to enter that mode.
extern const char* const kProgrammingModeInstructions;

extern const MessageTable kLinkMessages;
HostMessage LinkMessage(MessageKind kind, std::vector<std::string> args = {},
                        std::string cause = {});
HostMessage LinkBlockMessage(MessageKind kind, int bank, int block);

// The message that explains a LoadFirmwareFile result; none for success. WrongSize for a file
// that is no readable plain file says so rather than blaming its size.
std::optional<HostMessage> FirmwareLoadMessage(ImageLoadResult result,
                                               ImageReadProblem problem = ImageReadProblem::None);

// The percentage shown for a fraction of the image: halves go to the even neighbour.
int ProgressPercent(double fraction);
// "Programming Hand Control : 37%" and the window caption "HC 37%".
std::string ProgressLabel(LinkPhase phase, double fraction);
std::string ProgressCaption(double fraction);
