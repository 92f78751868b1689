#pragma once
// A firmware file from wherever the user keeps it: the firmware page lists only the program
// folder, so a chosen or dropped file is checked and copied there first.
#include <QString>
#include <string>

// Checks the file at source with the image checks, copies it into the program folder (asking
// before it replaces a different file of that name) and returns its name there, which ends in
// ".bin". Empty when the file was refused, the user declined or the copy failed; the user has
// then been told why.
std::string ImportFirmwareFile(const QString& source);
