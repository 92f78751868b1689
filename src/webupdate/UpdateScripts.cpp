// The texts of the two update scripts. Both are built on every platform so that both are
// tested; SelfUpdateWindows.cpp and SelfUpdatePosix.cpp choose the one they run.
#include "webupdate/SelfUpdate.h"

namespace {

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

std::string BuildUpdateBatch(const std::string& folder, const std::string& executableName,
                             const std::vector<ProgramFileEntry>& programs) {
  const std::string q = "\"";
  const std::string& p = folder;
  std::string text = "@ECHO OFF\r\n:RETRY\r\n";
  for (const ProgramFileEntry& e : programs) {
    if (!e.Newer) continue;
    text += "IF NOT EXIST " + q + p + "\\$" + e.FileName + q + " GOTO DONE\r\n";
    text += "ERASE " + q + p + "\\" + e.FileName + q + "\r\n";
    text += "IF EXIST " + q + p + "\\" + e.FileName + q + " GOTO RETRY\r\n";
  }
  for (const ProgramFileEntry& e : programs) {
    if (e.Newer)
      text += "RENAME " + q + p + "\\$" + e.FileName + q + " " + q + e.FileName + q + "\r\n";
  }
  std::string exe = q + p + "\\" + executableName + ".exe" + q;
  text += "CLS\r\nECHO Upgrade Complete.\r\n";
  text += "ECHO If this window remains open when finished, it is safe to close.\r\n";
  text += "START " + exe + " " + exe + "\r\n";
  text += ":DONE\r\n";
  return text + "ERASE " + q + p + "\\" + "WebUpdate.bat" + q;
}

std::string BuildUpdateScript(const std::string& folder, const std::string& executableName,
                              const std::vector<ProgramFileEntry>& programs, long long pid) {
  auto in = [&](const std::string& name) { return ShellQuote(folder + "/" + name); };
  std::string text =
      "#!/bin/sh\n"
      "# Installs the program files downloaded beside the old ones, once the program has ended.\n"
      "while kill -0 " +
      std::to_string(pid) + " 2>/dev/null; do sleep 1; done\n";
  // Every pending copy must be there before the first old file goes.
  text += "ready=yes\n";
  for (const ProgramFileEntry& e : programs) {
    if (e.Newer) text += "[ -f " + in(e.PendingName) + " ] || ready=no\n";
  }
  text += "if [ \"$ready\" = yes ]; then\n";
  for (const ProgramFileEntry& e : programs) {
    if (e.Newer) {
      text += "  mv -f " + in(e.PendingName) + " " + in(InstalledName(e, executableName)) + "\n";
    }
  }
  text += "  echo 'Upgrade Complete.'\n";
  text += "  " + in(executableName) + " >/dev/null 2>&1 &\n";
  text += "fi\n";
  return text + "rm -f " + in("WebUpdate.sh") + "\n";
}
