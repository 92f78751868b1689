// hcsim: a simulated hand control in programming mode, served on a pseudo-terminal.
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "HandControlModel.h"
#include "MakeImage.h"
#include "Pty.h"
#include "Simulator.h"
#include "base/AtomicFile.h"
#include "base/SerialTrace.h"
#include "startup/Startup.h"

namespace {

struct Options {
  std::string link;
  std::string flash;
  std::string trace;
  int baud = 19200;
  int adapterMs = 0;  // 0: no adapter
  bool verbose = false;
  hcsim::Faults faults;
};

// Indents each line of the model's fault help under the option column.
std::string Indented(const std::string& text) {
  std::string out;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    out += "                   " + text.substr(start, end - start) + "\n";
    start = end + 1;
  }
  return out;
}

// The name the simulator was started under: hcsim in a build, padflasher-hcsim when installed.
std::string OwnName(const char* argv0) {
  const std::string path = argv0 ? argv0 : "";
  const std::string name = path.substr(path.find_last_of('/') + 1);
  return name.empty() ? "hcsim" : name;
}

void PrintHelp(const std::string& name) {
  std::printf(
      "Usage: %s --link PATH [--flash FILE] [--baud N] [--fault SPEC]... [--trace FILE]\n"
      "       [--verbose]\n"
      "       %s --make-image FILE CODE SEED [RANGE]...\n"
      "\n"
      "Simulates a hand control in programming mode on a pseudo-terminal, so PadFlasher and\n"
      "padflasher-cli can be tried without hardware. hcsim creates the pseudo-terminal, makes\n"
      "PATH a symbolic link to it, prints the pseudo-terminal's path on one line, and serves\n"
      "until it receives SIGINT or SIGTERM (Ctrl+C); then it removes the link and exits.\n"
      "\n"
      "  --link PATH    where to publish the port, e.g. build/default/bin/ports/COM3 so that\n"
      "                 PadFlasher finds it as COM3. An old link there is replaced;\n"
      "                 a missing folder is made.\n"
      "  --flash FILE   the simulated flash, 262144 bytes in firmware-file order. Loaded at\n"
      "                 start (a missing file means erased flash) and written back on exit,\n"
      "                 so the simulator keeps what was programmed.\n"
      "  --baud N       pace both directions as a real 8N1 line at N baud (10 bits per byte).\n"
      "                 Default 19200; 0 = as fast as possible. Like a serial driver's\n"
      "                 transmit buffer, about 4 KB may be on their way; beyond that the host\n"
      "                 is held with XOFF until the line catches up (PadFlasher's port uses\n"
      "                 XON/XOFF, so it never sees these characters).\n"
      "  --fault SPEC   misbehave on purpose; may be given several times. SPEC is one of:\n"
      "%s"
      "                 With disconnect the simulator drops the line and exits, as an unplugged\n"
      "                 cable would.\n"
      "  --adapter ftdi[:MS]\n"
      "                 replies reach the host as through an FTDI USB-serial adapter: in\n"
      "                 packets of at most 62 bytes, sent when one is full or when the\n"
      "                 adapter's latency timer of MS milliseconds (default 16; 1 to 255)\n"
      "                 runs out.\n"
      "  --trace FILE   write every byte that crosses the line, with a microsecond time stamp\n"
      "                 and its direction, to FILE: the format of padflasher-cli --trace, seen\n"
      "                 from the hand control's end.\n"
      "  --verbose      print every command received on stderr.\n"
      "  -h, --help     show this text.\n"
      "  -V, --version  show the version.\n"
      "\n"
      "  --make-image FILE CODE SEED [RANGE]...\n"
      "                 write a 262144-byte firmware image for tests and demos to FILE and\n"
      "                 exit: erased (FF) except for pseudo-random data from SEED (a number)\n"
      "                 in each RANGE of 256-byte file blocks (FIRST-LAST or one block, 0 to\n"
      "                 1023), with the signature 55 AA at 0xFFE0 and the identification CODE\n"
      "                 (four hex digits) at 0xFFFE, low byte first.\n"
      "\n"
      "Example:\n"
      "  %s --link ports/COM3 --flash hc-flash.bin &\n"
      "  padflasher-cli identify --port COM3\n",
      name.c_str(), name.c_str(), Indented(hcsim::FaultHelp()).c_str(), name.c_str());
}

// A whole number that fits an int.
bool ParseInt(const std::string& text, int& value) {
  int64_t number = 0;
  if (!hcsim::ParseNumber(text, number) || number > 999999999) return false;
  value = static_cast<int>(number);
  return true;
}

// 0 to run, 1 on a usage error (message printed), 2 after --help, 3 after --version.
int ParseOptions(int argc, char** argv, Options& options) {
  std::vector<std::string> args(argv + 1, argv + argc);
  for (size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::string value;
    bool hasValue = false;
    if (const size_t eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
      hasValue = true;
    }
    if (name == "--help" || name == "-h") return 2;
    if (name == "--version" || name == "-V") return 3;
    if (name == "--verbose") {
      options.verbose = true;
      continue;
    }
    if (name != "--link" && name != "--flash" && name != "--baud" && name != "--fault" &&
        name != "--trace" && name != "--adapter") {
      std::fprintf(stderr, "hcsim: unknown option %s (see hcsim --help)\n", name.c_str());
      return 1;
    }
    if (!hasValue) {
      if (i + 1 >= args.size()) {
        std::fprintf(stderr, "hcsim: %s needs a value\n", name.c_str());
        return 1;
      }
      value = args[++i];
    }
    if (name == "--link") {
      options.link = value;
    } else if (name == "--flash") {
      options.flash = value;
    } else if (name == "--trace") {
      options.trace = value;
    } else if (name == "--adapter") {
      const bool timed = value.rfind("ftdi:", 0) == 0;
      options.adapterMs = value == "ftdi" ? 16 : 0;
      if ((!timed && value != "ftdi") || (timed && !ParseInt(value.substr(5), options.adapterMs)) ||
          options.adapterMs < 1 || options.adapterMs > 255) {
        std::fprintf(stderr, "hcsim: --adapter wants ftdi or ftdi:MS (1 to 255), not \"%s\"\n",
                     value.c_str());
        return 1;
      }
    } else if (name == "--baud") {
      if (!ParseInt(value, options.baud)) {
        std::fprintf(stderr, "hcsim: --baud wants a whole number, not \"%s\"\n", value.c_str());
        return 1;
      }
    } else {
      std::string error;
      if (!hcsim::ParseFault(value, options.faults, error)) {
        std::fprintf(stderr, "hcsim: bad --fault \"%s\": %s\n", value.c_str(), error.c_str());
        return 1;
      }
    }
  }
  if (options.link.empty()) {
    std::fprintf(stderr, "hcsim: --link PATH is required (see hcsim --help)\n");
    return 1;
  }
  return 0;
}

bool LoadFlash(const std::string& path, hcsim::HandControlModel& model) {
  std::string data, why;
  switch (ReadWholeFile(path, hcsim::kFlashSize, data, &why)) {
    case ReadResult::Missing:
      std::fprintf(stderr, "hcsim: %s does not exist yet; starting with erased flash\n",
                   path.c_str());
      return true;
    case ReadResult::Ok:
      if (data.size() == static_cast<size_t>(hcsim::kFlashSize)) break;
      [[fallthrough]];
    case ReadResult::TooLarge:
      std::fprintf(stderr, "hcsim: %s is not %d bytes long, as a flash image is; not using it\n",
                   path.c_str(), hcsim::kFlashSize);
      return false;
    default:
      std::fprintf(stderr, "hcsim: cannot read %s (%s)\n", path.c_str(), why.c_str());
      return false;
  }
  std::copy(data.begin(), data.end(), model.Flash().begin());
  return true;
}

bool SaveFlash(const std::string& path, const hcsim::HandControlModel& model) {
  const auto& flash = model.Flash();
  std::string reason;
  if (!WriteFileAtomically(path, std::string(flash.begin(), flash.end()), &reason)) {
    std::fprintf(stderr, "hcsim: cannot write %s: %s\n", path.c_str(), reason.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--make-image")
    return MakeImageCommand(std::vector<std::string>(argv + 2, argv + argc));
  Options options;
  if (const int parsed = ParseOptions(argc, argv, options); parsed != 0) {
    const std::string name = OwnName(argc > 0 ? argv[0] : nullptr);
    if (parsed == 2) PrintHelp(name);
    if (parsed == 3) std::printf("%s %s\n", name.c_str(), ProgramVersionText().c_str());
    return parsed == 1 ? 2 : 0;
  }
  // The device answers as soon as a command's last byte is in; only the erase and the flash
  // writes take time of their own. Slower replies are what --fault delay=N is for.
  hcsim::HandControlModel model(options.faults, hcsim::Timing{.commandMs = 0});
  if (!options.flash.empty() && !LoadFlash(options.flash, model)) return 1;

  // Signals arrive as readable data on a descriptor, so the serving loop can wait on them too.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGHUP);
  ::sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
  const int signalFd = ::signalfd(-1, &stopSignals, SFD_CLOEXEC);
  ::signal(SIGPIPE, SIG_IGN);

  std::string error;
  SerialTrace trace;
  if (!options.trace.empty() &&
      !trace.Open(options.trace, "hcsim " + ProgramVersionText(), error)) {
    std::fprintf(stderr, "hcsim: cannot write the trace %s: %s\n", options.trace.c_str(),
                 error.c_str());
    return 1;
  }
  hcsim::Pty pty;
  if (signalFd < 0 || !pty.Create(options.link, error)) {
    std::fprintf(stderr, "hcsim: %s\n", signalFd < 0 ? "signalfd failed" : error.c_str());
    return 1;
  }
  std::printf("%s\n", pty.SlavePath().c_str());
  std::fflush(stdout);

  hcsim::Simulator simulator(model, pty.MasterFd(), options.baud, options.verbose);
  simulator.SetTrace(options.trace.empty() ? nullptr : &trace);
  simulator.SetAdapterLatency(options.adapterMs);
  const auto end = simulator.Run(signalFd);
  const bool traced = trace.Close(error);
  if (!traced) std::fprintf(stderr, "hcsim: %s\n", error.c_str());
  pty.Close();
  ::close(signalFd);
  if (end == hcsim::Simulator::End::Disconnected) {
    std::fprintf(stderr, "hcsim: disconnected after %lld bytes, as the fault asked\n",
                 static_cast<long long>(model.BytesReceived()));
  } else if (end == hcsim::Simulator::End::Error) {
    std::fprintf(stderr, "hcsim: %s\n", simulator.Error().c_str());
  }
  const bool saved = options.flash.empty() || SaveFlash(options.flash, model);
  return end == hcsim::Simulator::End::Error || !saved || !traced ? 1 : 0;
}
