#pragma once
// What the program tells or asks the user, as a kind with its parameters. Each layer keeps the
// English texts of its kinds in one table (LinkMessages, PageMessages, WebMessages, AppMessages)
// and hands its host a HostMessage; the window and the CLI render the text from the row, and
// anything that decides what happens next looks at the kind and the parameters, never the text.
#include <span>
#include <string>
#include <vector>

enum class MsgIcon { None, Information, Warning, Question, Error };
enum class MsgButtons { Ok, YesNo, YesNoCancel, RetryCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel, Retry };

enum class MessageKind {
  // The hand control link.
  PortOpenFailed,  // %1 the port name; cause: the system's reason
  PortLost,        // %1 the port name
  NoResponse,      // the hand control stopped answering
  CancelProgrammingQuestion,
  ProgrammingCancelled,
  WriteRetryQuestion,       // %1 the block where the run began
  VerifyCancelled,          // the cancel button, seen between two blocks
  VerifyStopped,            // the user's answer to a question stopped the verification
  VerifyReadRetryQuestion,  // %1 bank, %2 block
  DifferenceQuestion,       // %1 bank, %2 block
  ReadRetryQuestion,        // %1 bank, %2 block
  FirmwareNotFound,
  FirmwareNotRegular,
  FirmwareUnreadable,
  FirmwareWrongSize,
  FirmwareInvalid,
  UnsupportedFirmwareQuestion,
  // The pages.
  FirmwareNameReserved,     // %1 the file's name
  ReplaceFirmwareQuestion,  // %1 the file's name in the program folder
  FirmwareCopyFailed,       // %1 the file in the program folder, %2 the reason
  NoPortChosen,
  NoFirmwareChosen,
  ProgrammingComplete,
  VerifyModeQuestion,
  ContentsIdentical,
  // The wizard's controller.
  ExitQuestion,
  // The download site and the Web Updates window.
  SiteUnreachable,
  SiteInsecure,  // %1 the TLS reason
  SiteRefused,   // %1 what the site answered
  SiteUnauthorised,
  PasswordInClear,  // %1 the site
  ProgramDownloaded,
  CatalogueUntrusted,
  CatalogueTooLarge,   // %1 what the signature check found
  ProgramUpdateOffer,  // %1 the offer's text
  ProgramUpdateFailed,
  DownloadFailed,  // %1 the file, %2 the reason
  RemoveQuestion,
  RemoveUnavailableQuestion,
  RemoveFailed,  // %1 the file, %2 the reason
};

struct MessageRow {
  MessageKind kind;
  const char* text;  // English; %1, %2 ... stand for the parameters; CR LF between lines
  MsgIcon icon;
  MsgButtons buttons;
  const char* title = nullptr;  // nullptr: the program's base name
  // What Enter and Escape answer where a hasty Yes can do harm (No); Ok: the box's usual default.
  MsgAnswer cautious = MsgAnswer::Ok;
};

// One layer's texts. The context groups them for translation.
struct MessageTable {
  const char* context;
  std::span<const MessageRow> rows;
};

struct HostMessage {
  const MessageTable* table = nullptr;
  const MessageRow* row = nullptr;
  std::vector<std::string> args;
  // The system's own reason behind a failure (errno text, network error), when known.
  std::string cause;
  // Where on the hand control, for the kinds about a block; -1 otherwise.
  int bank = -1, block = -1;

  MessageKind Kind() const { return row->kind; }
};

// The message of a kind from its layer's table; a kind missing from the table is a programming
// error caught by the tests that render every row.
HostMessage MakeMessage(const MessageTable& table, MessageKind kind,
                        std::vector<std::string> args = {}, std::string cause = {});
// The same for a message about a block of the hand control: %1 bank, %2 block.
HostMessage MakeBlockMessage(const MessageTable& table, MessageKind kind, int bank, int block);

// The text as the user reads it, parameters filled in (in one pass, so a parameter that
// itself holds "%2" stays as it is).
std::string MessageText(const HostMessage& message);
// The same in English whatever the user's language, for the debug log that support reads.
std::string EnglishMessageText(const HostMessage& message);
// The row's own title, or empty for the program's base name.
std::string MessageTitle(const HostMessage& message);
std::string FillArguments(const std::string& text, const std::vector<std::string>& args);
