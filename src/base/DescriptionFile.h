#pragma once
// Files of the program folder found by name in any letter case, and the description files that
// come with firmware images: read and shown by one rule for the firmware page, the Web Updates
// window and the download.
//
// A description is held and stored as the bytes that came (a download writes the site's bytes
// unchanged; a local file is read unchanged apart from its line ends, which become CR LF like
// every multi-line text of the program). It is decoded only to be shown: as UTF-8 when the whole
// text is valid UTF-8, otherwise as Latin-1, which older files written in an 8-bit code page
// mostly are.
#include <QString>
#include <string>
#include <vector>

// The names of the regular files in folder (links to one count), as the bytes the file system
// holds, in byte order. A name that is not valid UTF-8 is listed too: Qt's own listing
// leaves such names out, and QString::fromStdString shows them with the replacement character.
std::vector<std::string> FileNamesIn(const std::string& folder);

// The path of the file called name in folder: matched exactly, or else ignoring the case of
// ASCII letters (names are bytes of an unknown code page). Empty when there is none.
std::string FindFileNoCase(const std::string& folder, const std::string& name);

// The bytes of a description file as held: each line ending with CR LF, whether the file's lines
// end with CR LF, a bare LF or a bare CR; a final line end adds no empty line.
std::string DescriptionFromBytes(const std::string& bytes);

// The lines of the description file at path, each ending with CR LF; the file's lines may end
// with CR LF, a bare LF or a bare CR, and a final line end adds no empty line. False, with the
// reason, when the file cannot be read or is larger than a description can sensibly be (1 MB):
// description is then empty.
bool ReadDescriptionFile(const std::string& path, std::string& description, std::string& reason);

// A held description (or any text of the same origin) as a window shows it: decoded as above,
// with plain LF line ends.
QString DescriptionForDisplay(const std::string& description);
