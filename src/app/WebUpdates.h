#pragma once
#include <string>

class QWidget;

// Opens the Web Updates window modally over parent and returns, once it has closed, its
// FirmwareText: the base name of the firmware selected there (the caller appends ".bin").
std::string ShowWebUpdates(QWidget* parent);
