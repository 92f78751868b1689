#pragma once
// Whole-file reading and writing that neither loses a file nor trusts one. Writing replaces a
// file without a window in which it is lost: the bytes go to a temporary file in the same
// folder, which is then renamed over the old one. Reading takes only a regular file of bounded
// size, and never blocks (a FIFO) or runs on without end (/dev/zero).
#include <cstdint>
#include <string>

enum class ReadResult { Ok, Missing, NotRegular, TooLarge, Unreadable };

// Reads the whole file into bytes. Anything but Ok leaves bytes empty and says why in *reason
// ("is not a regular file", "is a folder", "is larger than N bytes", or the system's reason).
ReadResult ReadWholeFile(const std::string& fileName, int64_t maxBytes, std::string& bytes,
                         std::string* reason = nullptr);

// Returns false when the file could not be written; the old file is then unchanged, and the
// debug log (when on) names the file and the reason, which also goes to *reason when given. A
// name that holds something other than a regular file (a FIFO, a device, a folder) is left
// alone.
bool WriteFileAtomically(const std::string& fileName, const std::string& bytes,
                         std::string* reason = nullptr);

// Whether a file the user named for an output (a backup, a trace) may be written: when
// something is there it must be a regular file that is not read-only, and not a symbolic link,
// which would carry the write to wherever it points. False with the reason ("is a symbolic
// link", "is read-only", "is a folder", "is not a regular file").
bool MayWriteUserFile(const std::string& fileName, std::string& reason);

// Makes folder and any missing parent, each new one readable by the user alone (what the XDG
// rules ask of the base folders). False, with the system's reason, when that fails.
bool MakeUserFolder(const std::string& folder, std::string& reason);
