#pragma once
#include <string>

void OpenDebugLog();
void DebugLog(const std::string& message);
void SetDebugEnabled(bool enabled);
bool DebugEnabled();
void CloseDebugLog();
