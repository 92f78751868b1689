#pragma once
// The versions file's contents, apart from the file itself (shared by the loader, the saver and
// the fuzz target).
#include <string>

#include "ini/INIfile.h"

// Replaces gVersions with the "Version" lines of the "[VERSIONS]" section.
void VersionsFromDocument(const INIlines& lines);
// The document SaveVersions writes for the current gVersions.
INIfile VersionsDocument();
// The leading number of a piece rounded half to even, as a 16-bit value. A number outside the
// 16-bit range gives the nearest limit and sets clamped.
int16_t ParseVersionNumber(const std::string& piece, bool& clamped);
