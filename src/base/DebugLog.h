#pragma once
#include <string>

// The folder that receives debugexe.txt, made when the log is opened; empty (the default) is
// the folder that is current when the log is opened, i.e. where the program was launched.
void SetDebugLogFolder(const std::string& folder);
// The log's file name (default debugexe.txt): a copy that runs beside others names its own.
void SetDebugLogName(const std::string& name);
void OpenDebugLog();
void DebugLog(const std::string& message);
void SetDebugEnabled(bool enabled);
bool DebugEnabled();
void CloseDebugLog();
