#include "pages/PageTexts.h"

#include <QtGlobal>

namespace {

constexpr MessageRow kRows[] = {
    {MessageKind::NoPortChosen, QT_TRANSLATE_NOOP("Pages", "No COM port was specified!"),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::NoFirmwareChosen, QT_TRANSLATE_NOOP("Pages", "Please choose a firmware file"),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::ProgrammingComplete,
     QT_TRANSLATE_NOOP("Pages",
                       "Programming Complete\r\n\r\n"
                       "After exiting PadFlasher, turn the Quorrel kit power off and then back "
                       "on.\r\n"
                       "The Hand Control should now be updated and ready to go.\r\n"
                       "Check the Hand Control Version using the Utilities menu."),
     MsgIcon::Information, MsgButtons::Ok},
    {MessageKind::VerifyModeQuestion, QT_TRANSLATE_NOOP("Pages", "Fast Verify Only?"),
     MsgIcon::None, MsgButtons::YesNoCancel, QT_TRANSLATE_NOOP("Pages", "Verify Mode:")},
    {MessageKind::FirmwareNameReserved,
     QT_TRANSLATE_NOOP("Pages", "%1 is one of PadFlasher's own files, not a firmware file."),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::ReplaceFirmwareQuestion,
     QT_TRANSLATE_NOOP("Pages",
                       "The program folder already holds a different firmware file named "
                       "%1.\r\n\r\nDo you want to replace it?"),
     MsgIcon::Question, MsgButtons::YesNo, nullptr, MsgAnswer::No},
    {MessageKind::FirmwareCopyFailed,
     QT_TRANSLATE_NOOP("Pages", "The firmware file could not be copied to %1:\r\n%2."),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::ContentsIdentical, QT_TRANSLATE_NOOP("Pages", "Contents are Identical"),
     MsgIcon::Information, MsgButtons::Ok},
};

}  // namespace

const MessageTable kPageMessages{"Pages", kRows};

HostMessage PageMessage(MessageKind kind, std::vector<std::string> args) {
  return MakeMessage(kPageMessages, kind, std::move(args));
}
