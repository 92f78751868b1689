#pragma once
// Small helpers for the 8-bit text of the program's files.
#include <QString>
#include <string>

// ASCII letters only: the files carry bytes of an unknown code page, which must pass unchanged.
std::string UpperAscii(std::string text);
bool EqualsNoCaseAscii(const std::string& a, const std::string& b);
bool EndsWithNoCase(const std::string& text, const std::string& ending);
// Removes leading and trailing spaces (spaces only, not TAB or line ends).
std::string TrimSpaces(const std::string& text);
// Text from outside (a site, a file name, the hand control) as it may reach a terminal or a
// window: control characters (below 0x20, 0x7F, and U+0080-U+009F in UTF-8) become \xNN, and
// the Unicode characters that reorder or break what follows (U+202A-U+202E, U+2066-U+2069,
// U+2028, U+2029) become \uNNNN, so no escape sequence, line break or reversed text passes.
std::string EscapedForDisplay(const std::string& text);
// CR LF line ends (the program's texts and files) as plain LF, for a terminal or a text widget.
std::string WithLfLineEnds(std::string text);
// A file name held as 8-bit text, for Qt's file classes.
QString FilePath(const std::string& fileName);
