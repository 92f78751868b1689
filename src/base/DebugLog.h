#pragma once
#include <string>

// The folder that receives debugexe.txt, made when the log is opened; empty (the default) is
// the folder that is current when the log is opened, i.e. where the program was launched.
void SetDebugLogFolder(const std::string& folder);
void OpenDebugLog();
void DebugLog(const std::string& message);
void SetDebugEnabled(bool enabled);
bool DebugEnabled();
void CloseDebugLog();
