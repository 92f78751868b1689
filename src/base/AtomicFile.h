#pragma once
// Replacing a file without a window in which it is lost: the bytes go to a temporary file in the
// same folder, which is then renamed over the old one.
#include <functional>
#include <string>

class QIODevice;

// Returns false when the file could not be written; the old file is then unchanged, and the
// debug log (when on) names the file and the reason, which also goes to *reason when given.
bool WriteFileAtomically(const std::string& fileName, const std::string& bytes,
                         std::string* reason = nullptr);

// Test seam: when set, it writes the bytes into the temporary file in place of the plain write,
// so a test can fail half way as a full disk would. Returning false abandons the save.
using AtomicWriteHook = std::function<bool(QIODevice& temporary, const std::string& bytes)>;
void SetAtomicWriteHook(AtomicWriteHook hook);
