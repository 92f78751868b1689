#pragma once
// The parts of whole-file reading and writing that differ between systems; one file per
// platform implements them. Reasons are the system's own words.
#include <cstdint>
#include <string>

#include "base/AtomicFile.h"

namespace file_platform {

// Puts what was written through the open handle onto the disk before it may replace the old
// file. A file system that cannot sync is not a failure.
bool SyncToDisk(int handle, std::string& why);

// Reads path, already seen to be a regular file of at most maxBytes, without blocking on what
// may have replaced it meanwhile (a FIFO) and without reading past maxBytes.
ReadResult ReadRegularFile(const std::string& path, int64_t maxBytes, std::string& bytes,
                           std::string& why);

// Whether path may be replaced by a file of the user's: nothing there, or a regular file with a
// write bit that the user may write. A link is never followed; the reason ends a sentence
// ("is a symbolic link").
bool MayReplace(const std::string& path, std::string& reason);

// Makes one folder readable by the user alone; true when it is there afterwards.
bool MakeFolder(const std::string& path, std::string& why);

}  // namespace file_platform
