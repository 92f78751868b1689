#pragma once
// Texts about the hand control and its image that both the pages and padflasher-cli show, kept
// in one place below both. Line ends are CR LF, as the pages show them.
#include <string>

#include "programmer/Image.h"

// The programming-mode instructions of the dialog that explains how to enter that mode.
extern const char* const kProgrammingModeInstructions;
// The question asked before using a firmware image that the versions table does not list.
extern const char* const kUnsupportedFirmwareQuestion;
// The text that explains a LoadFirmwareFile result; empty for success. WrongSize for a file that
// is no readable plain file says so rather than blaming its size.
std::string FirmwareLoadError(ImageLoadResult result,
                              ImageReadProblem problem = ImageReadProblem::None);
