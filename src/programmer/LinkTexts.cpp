#include "programmer/LinkTexts.h"

const char* const kProgrammingModeInstructions =
    "Hand Control must be placed into Programming Mode:\r\n"
    "\r\n"
    "Hold down both the Undo and Info keys while\r\n"
    "powering on the Quorrel kit.  When the Hand Control\r\n"
    "displays 'Initializing...', release the buttons.\r\n"
    "At this point, the display should show\r\n"
    "'Transmit Data...'  Once it does, click on the\r\n"
    "Next button to proceed.";

const char* const kUnsupportedFirmwareQuestion =
    "Warning: Firmware file is not supported with this version of the program.\r\n\r\n"
    "You may want to go back and click on Web Updates to download a more current version.\r\n\r\n"
    "Do you wish to proceed anyhow?";

std::string FirmwareLoadError(ImageLoadResult result, ImageReadProblem problem) {
  switch (result) {
    case ImageLoadResult::NotFound:
      return "Error: Firmware file not found!";
    case ImageLoadResult::WrongSize:
      if (problem == ImageReadProblem::NotRegular)
        return "Error: Firmware file is not a regular file!";
      if (problem == ImageReadProblem::Unreadable) return "Error: Firmware file cannot be read!";
      return "Error: Firmware file wrong size!";
    case ImageLoadResult::Invalid:
      return "Error: Firmware file invalid!";
    case ImageLoadResult::Loaded:
      break;
  }
  return "";
}
