#include "app/AppTexts.h"

#include <QtGlobal>

namespace {

constexpr MessageRow kRows[] = {
    {MessageKind::ExitQuestion,
     QT_TRANSLATE_NOOP("App", "Are you sure you want to Exit the program?"), MsgIcon::Question,
     MsgButtons::YesNo},
    {MessageKind::CatalogueUntrusted,
     QT_TRANSLATE_NOOP("App",
                       "The catalogue of the download site cannot be trusted:\r\n%1.\r\n"
                       "Nothing is offered for download from it."),
     MsgIcon::Warning, MsgButtons::Ok},
    // The catalogue would make a versions file the program cannot read back.
    {MessageKind::CatalogueTooLarge,
     QT_TRANSLATE_NOOP("App",
                       "The catalogue of the download site lists more firmware than this program "
                       "can keep.\r\nNothing is offered for download from it, and the known "
                       "versions stay as they were."),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::ProgramUpdateFailed, QT_TRANSLATE_NOOP("App", "Error updating program!"),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::DownloadFailed,
     QT_TRANSLATE_NOOP("App", "The file %1 could not be downloaded:\r\n%2."), MsgIcon::Warning,
     MsgButtons::Ok},
    {MessageKind::RemoveQuestion,
     QT_TRANSLATE_NOOP("App", "Are you sure you want to Remove this file from your computer?"),
     MsgIcon::Question, MsgButtons::YesNo},
    {MessageKind::RemoveUnavailableQuestion,
     QT_TRANSLATE_NOOP("App",
                       "Warning: This firmware is no longer available online.\r\n"
                       "If you remove it, you will not be able re-download it.\r\n\r\n"
                       "Are you sure you want to Remove this file from your computer?"),
     MsgIcon::Question, MsgButtons::YesNo},
    {MessageKind::RemoveFailed,
     QT_TRANSLATE_NOOP("App", "The file %1 could not be removed:\r\n%2."), MsgIcon::Warning,
     MsgButtons::Ok},
};

}  // namespace

const MessageTable kAppMessages{"App", kRows};

HostMessage AppMessage(MessageKind kind, std::vector<std::string> args, std::string cause) {
  return MakeMessage(kAppMessages, kind, std::move(args), std::move(cause));
}
