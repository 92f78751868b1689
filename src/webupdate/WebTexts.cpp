#include "webupdate/WebTexts.h"

#include <QtGlobal>

namespace {

// The site's name in the first line is the maker's, whatever address URL names.
constexpr MessageRow kRows[] = {
    {MessageKind::SiteUnreachable,
     QT_TRANSLATE_NOOP("Web",
                       "Unable to connect to the Corvane download site.\r\n"
                       "Check your Internet connection and firewall settings.\r\n"
                       "See Help for more details."),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::SiteInsecure,
     QT_TRANSLATE_NOOP("Web",
                       "Unable to connect to the Corvane download site.\r\n"
                       "The connection is not secure: %1.\r\n"
                       "See Help for more details."),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::SiteRefused,
     QT_TRANSLATE_NOOP("Web",
                       "Unable to connect to the Corvane download site.\r\n"
                       "The reply was refused: %1.\r\n"
                       "See Help for more details."),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::SiteUnauthorised,
     QT_TRANSLATE_NOOP("Web",
                       "Unable to connect to the Corvane download site.\r\n"
                       "User is Unauthorised!\r\n"
                       "See Help for more details."),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::PasswordInClear,
     QT_TRANSLATE_NOOP("Web",
                       "the password for %1 travels unencrypted over http; use an https:// "
                       "address in URL"),
     MsgIcon::Warning, MsgButtons::Ok},
    {MessageKind::ProgramUpdateOffer,
     QT_TRANSLATE_NOOP("Web",
                       "A newer version of this program is available.\r\n\r\n"
                       "%1\r\nDo you wish to download and install?"),
     MsgIcon::Question, MsgButtons::YesNo},
    {MessageKind::ProgramDownloaded,
     QT_TRANSLATE_NOOP("Web",
                       "Program downloaded successfully ...\r\n\r\n"
                       "Press Ok to Run the New Version."),
     MsgIcon::Information, MsgButtons::Ok},
};

}  // namespace

const MessageTable kWebMessages{"Web", kRows};

HostMessage WebMessage(MessageKind kind, std::vector<std::string> args, std::string cause) {
  return MakeMessage(kWebMessages, kind, std::move(args), std::move(cause));
}
