#pragma once
// What padflasher-cli does with its command line. The program runs it, and so does the module of
// download-site commands with its own copy of the CLI when the program hands such a command over.
#include <QStringList>

// arguments: the program's, its name first, as QCoreApplication::arguments() gives them; a
// QCoreApplication must exist. Returns the exit code.
int RunCli(const QStringList& arguments);
