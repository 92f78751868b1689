#include "programmer/LinkTexts.h"

#include <QCoreApplication>
#include <cmath>

const char* const kProgrammingModeInstructions =
    QT_TRANSLATE_NOOP("Link",
                      "Hand Control must be placed into Programming Mode:\r\n"
                      "\r\n"
                      "Hold down both the Undo and Info keys while\r\n"
                      "powering on the Quorrel kit.  When the Hand Control\r\n"
                      "displays 'Initializing...', release the buttons.\r\n"
                      "At this point, the display should show\r\n"
                      "'Transmit Data...'  Once it does, click on the\r\n"
                      "Next button to proceed.");

namespace {

constexpr MessageRow kRows[] = {
    {MessageKind::PortOpenFailed, QT_TRANSLATE_NOOP("Link", "Error Opening COM Port"),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::PortLost,
     QT_TRANSLATE_NOOP("Link",
                       "The connection to the hand control on %1 was lost.\r\n\r\n"
                       "Check the cable and the serial adapter, then choose the COM port again."),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::NoResponse, QT_TRANSLATE_NOOP("Link", "No response from HC"), MsgIcon::Warning,
     MsgButtons::Ok},
    {MessageKind::CancelProgrammingQuestion,
     QT_TRANSLATE_NOOP("Link",
                       "Cancelling Programming at this stage would leave the device in Program "
                       "mode\r\nmaking the firmware unusable until reprogrammed!\r\n\r\n"
                       "Are you sure you want to Cancel Programming?"),
     MsgIcon::Error, MsgButtons::YesNo},
    {MessageKind::ProgrammingCancelled, QT_TRANSLATE_NOOP("Link", "Programming cancelled by user"),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::WriteRetryQuestion,
     QT_TRANSLATE_NOOP("Link",
                       "An Error occurred Programming Data at Block: %1\r\n\r\n"
                       "You may be able to recover by Retrying.\r\n\r\n"
                       "Would you like to Retry Block?"),
     MsgIcon::Error, MsgButtons::YesNo},
    {MessageKind::VerifyCancelled, QT_TRANSLATE_NOOP("Link", "Verify cancelled by user"),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::VerifyStopped, QT_TRANSLATE_NOOP("Link", "Verify Cancelled by User"),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::VerifyReadRetryQuestion,
     QT_TRANSLATE_NOOP("Link", "Error Verifying Data at Bank: %1, Block: %2"), MsgIcon::Warning,
     MsgButtons::RetryCancel},
    {MessageKind::DifferenceQuestion,
     QT_TRANSLATE_NOOP("Link", "Found Difference at Bank: %1, Block: %2\r\n\r\nContinue?"),
     MsgIcon::Warning, MsgButtons::YesNo},
    {MessageKind::ReadRetryQuestion,
     QT_TRANSLATE_NOOP("Link", "Error Reading Data at Bank: %1, Block: %2"), MsgIcon::Warning,
     MsgButtons::RetryCancel},
    {MessageKind::FirmwareNotFound, QT_TRANSLATE_NOOP("Link", "Error: Firmware file not found!"),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::FirmwareNotRegular,
     QT_TRANSLATE_NOOP("Link", "Error: Firmware file is not a regular file!"), MsgIcon::Warning,
     MsgButtons::Ok},
    {MessageKind::FirmwareUnreadable,
     QT_TRANSLATE_NOOP("Link", "Error: Firmware file cannot be read!"), MsgIcon::Warning,
     MsgButtons::Ok},
    {MessageKind::FirmwareWrongSize, QT_TRANSLATE_NOOP("Link", "Error: Firmware file wrong size!"),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::FirmwareInvalid, QT_TRANSLATE_NOOP("Link", "Error: Firmware file invalid!"),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::UnsupportedFirmwareQuestion,
     QT_TRANSLATE_NOOP("Link",
                       "Warning: Firmware file is not supported with this version of the "
                       "program.\r\n\r\nYou may want to go back and click on Web Updates to "
                       "download a more current version.\r\n\r\nDo you wish to proceed anyhow?"),
     MsgIcon::Question, MsgButtons::YesNo, nullptr, MsgAnswer::No},
};

// The labels of the progress phases; the percentage follows.
const char* PhaseLabel(LinkPhase phase) {
  switch (phase) {
    case LinkPhase::Erasing:
      return QT_TRANSLATE_NOOP("Link", "Erasing Flash Memory ... please wait (9 secs) : %1%");
    case LinkPhase::Programming:
      return QT_TRANSLATE_NOOP("Link", "Programming Hand Control : %1%");
    case LinkPhase::ProgrammingComplete:
      return QT_TRANSLATE_NOOP("Link", "Programming Complete : %1%");
    case LinkPhase::Verifying:
      return QT_TRANSLATE_NOOP("Link", "Verifying Hand Control : %1%");
    case LinkPhase::Reading:
      return QT_TRANSLATE_NOOP("Link", "Reading Hand Control : %1%");
  }
  return "%1%";
}

}  // namespace

const MessageTable kLinkMessages{"Link", kRows};

HostMessage LinkMessage(MessageKind kind, std::vector<std::string> args, std::string cause) {
  return MakeMessage(kLinkMessages, kind, std::move(args), std::move(cause));
}

HostMessage LinkBlockMessage(MessageKind kind, int bank, int block) {
  return MakeBlockMessage(kLinkMessages, kind, bank, block);
}

std::optional<HostMessage> FirmwareLoadMessage(ImageLoadResult result, ImageReadProblem problem) {
  switch (result) {
    case ImageLoadResult::NotFound:
      return LinkMessage(MessageKind::FirmwareNotFound);
    case ImageLoadResult::WrongSize:
      if (problem == ImageReadProblem::NotRegular)
        return LinkMessage(MessageKind::FirmwareNotRegular);
      if (problem == ImageReadProblem::Unreadable)
        return LinkMessage(MessageKind::FirmwareUnreadable);
      return LinkMessage(MessageKind::FirmwareWrongSize);
    case ImageLoadResult::Invalid:
      return LinkMessage(MessageKind::FirmwareInvalid);
    case ImageLoadResult::Loaded:
      break;
  }
  return std::nullopt;
}

int ProgressPercent(double fraction) {
  return static_cast<int>(std::nearbyint(fraction * 100));
}

std::string ProgressLabel(LinkPhase phase, double fraction) {
  return FillArguments(QCoreApplication::translate("Link", PhaseLabel(phase)).toStdString(),
                       {std::to_string(ProgressPercent(fraction))});
}

std::string ProgressCaption(double fraction) {
  return "HC " + std::to_string(ProgressPercent(fraction)) + "%";
}
