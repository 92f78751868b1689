#pragma once
// Small helpers for the 8-bit text of the program's files.
#include <QString>
#include <string>

// ASCII letters only: the files carry bytes of an unknown code page, which must pass unchanged.
std::string UpperAscii(std::string text);
bool EqualsNoCaseAscii(const std::string& a, const std::string& b);
// Removes leading and trailing spaces (spaces only, not TAB or line ends).
std::string TrimSpaces(const std::string& text);
// Text from outside (a site, a file name) as it may reach a terminal or a window: control
// characters (below 0x20, and 0x7F) become \xNN, so no escape sequence or line break passes.
std::string EscapedForDisplay(const std::string& text);
// CR LF line ends (the program's texts and files) as plain LF, for a terminal or a text widget.
std::string WithLfLineEnds(std::string text);
// A file name held as 8-bit text, for Qt's file classes.
QString FilePath(const std::string& fileName);
