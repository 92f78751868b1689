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
    {MessageKind::ContentsIdentical, QT_TRANSLATE_NOOP("Pages", "Contents are Identical"),
     MsgIcon::Information, MsgButtons::Ok},
};

}  // namespace

const MessageTable kPageMessages{"Pages", kRows};

HostMessage PageMessage(MessageKind kind) {
  return MakeMessage(kPageMessages, kind);
}
