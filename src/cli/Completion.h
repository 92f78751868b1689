#pragma once
// padflasher-cli --completion bash|zsh|fish: the shell's completion script, from the commands'
// own descriptions.
#include <QString>

// Prints the script for shell on stdout; kExitUsage after a message for a shell it does not
// know.
int PrintCompletion(const QString& shell);
