// padflasher-bench: times programming, fast verify and full verify of a full random image by
// padflasher-cli against hcsim on a pseudo-terminal paced like a real serial line, and compares
// each phase with the time its bytes need on the line.
#include <sys/resource.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BareLoop.h"
#include "TestImage.h"

namespace {

constexpr int kImageSize = testimage::kImageSize;
constexpr int kBitsPerByte = 10;  // 8N1: start, eight data bits, stop

struct Phase {
  const char* name;
  QStringList args;
};

struct Measure {
  double wall = 0, cpu = 0, bound = 0;
  qint64 sent = 0, received = 0;
  int exitCode = -1;
};

// Data in every block, the identification code among it.
QByteArray FullRandomImage(uint32_t seed) {
  const auto image = testimage::MakeImage({{0, testimage::kBlockCount - 1}}, {}, seed);
  return QByteArray::fromStdString(*image);
}

bool RunPhase(const QString& cli, const QStringList& args, int baud, Measure& m) {
  QProcess process;
  process.setStandardInputFile(QProcess::nullDevice());
  process.setProcessChannelMode(QProcess::SeparateChannels);
  QElapsedTimer timer;
  timer.start();
  process.start(cli, args);
  if (!process.waitForFinished(-1)) return false;
  m.wall = timer.nsecsElapsed() / 1e9;
  m.exitCode = process.exitCode();
  QString err = QString::fromLocal8Bit(process.readAllStandardError());
  static const QRegularExpression stats(
      "stats: sent (\\d+) bytes, received (\\d+) bytes, cpu ([0-9.]+) s");
  auto match = stats.match(err);
  if (!match.hasMatch()) {
    std::fprintf(stderr, "no statistics from padflasher-cli:\n%s\n", qPrintable(err));
    return false;
  }
  m.sent = match.captured(1).toLongLong();
  m.received = match.captured(2).toLongLong();
  m.cpu = match.captured(3).toDouble();
  m.bound = double(m.sent + m.received) * kBitsPerByte / baud;
  if (m.exitCode != 0)
    std::fprintf(stderr, "padflasher-cli failed:\n%s\n", qPrintable(err.right(2000)));
  return m.exitCode == 0;
}

// Five, so that the median stands when this machine has an episode of slow kernel time during
// one or two of them (the bare loop then shows it too).
constexpr int kRepeats = 5;

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The 1-minute load average: the other processes this machine ran meanwhile, which lengthen
// every turnaround and the CPU cost of every wake-up.
QString LoadAverage() {
  QFile file("/proc/loadavg");
  if (!file.open(QIODevice::ReadOnly)) return "?";
  return QString::fromLatin1(file.readLine()).section(' ', 0, 0);
}

// What padflasher-cli costs before its first exchange: starting the process (loading and
// relocating its libraries) and parsing the command line.
double StartCpu(const QString& cli) {
  // From the kernel's account of the finished children, before and after.
  auto childrenCpu = [] {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  };
  // A single start is at the mercy of this machine's moment: the median of several.
  std::vector<double> starts;
  for (int run = 0; run < 15; ++run) {
    const double before = childrenCpu();
    QProcess process;
    process.start(cli, {"--version"});
    process.waitForFinished(-1);
    starts.push_back(childrenCpu() - before);
  }
  return Median(starts);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  int baud = 19200;
  QString adapter;  // hcsim's --adapter, e.g. "ftdi:16"; empty: replies reach the pty at once
  QString bin = QCoreApplication::applicationDirPath();
  QStringList args = app.arguments().mid(1);
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == "--baud" && i + 1 < args.size()) {
      baud = args[++i].toInt();
    } else if (args[i] == "--adapter" && i + 1 < args.size()) {
      adapter = args[++i];
    } else if (args[i] == "--bin" && i + 1 < args.size()) {
      bin = args[++i];
    } else {
      std::fprintf(stderr,
                   "Usage: padflasher-bench [--baud N] [--adapter ftdi[:MS]] [--bin DIR]\n"
                   "Times padflasher-cli against hcsim paced at N baud (default 19200),\n"
                   "its replies through a simulated USB adapter when one is given.\n");
      return args[i] == "--help" ? 0 : 2;
    }
  }
  if (baud <= 0) {
    std::fprintf(stderr, "padflasher-bench: --baud must be above 0 (the bound needs a rate)\n");
    return 2;
  }

  QTemporaryDir dir;
  QDir folder(dir.path());
  folder.mkdir("ports");
  QFile image(folder.filePath("bench.bin"));
  if (!image.open(QIODevice::WriteOnly) || image.write(FullRandomImage(2026)) != kImageSize)
    return 1;
  image.close();

  QProcess sim;
  QStringList simArgs{"--link", folder.filePath("ports/COM1"), "--baud", QString::number(baud)};
  if (!adapter.isEmpty()) simArgs << "--adapter" << adapter;
  sim.start(bin + "/hcsim", simArgs);
  if (!sim.waitForStarted() || !sim.waitForReadyRead(10000)) {
    std::fprintf(stderr, "padflasher-bench: hcsim did not start from %s\n", qPrintable(bin));
    return 1;
  }

  const QStringList common{"--port", "COM1", "--folder", dir.path(), "--stats"};
  const Phase phases[] = {
      {"program + check", QStringList{"flash", "--yes"} + common + QStringList{image.fileName()}},
      {"fast verify", QStringList{"verify", "--fast"} + common + QStringList{image.fileName()}},
      {"full verify", QStringList{"verify"} + common + QStringList{image.fileName()}},
  };
  std::printf(
      "padflasher-cli against hcsim at %d baud%s, full random image (768 written blocks)\n\n", baud,
      adapter.isEmpty() ? "" : qPrintable(", replies through the adapter " + adapter));
  std::printf("%-16s %10s %10s %7s %9s %7s %12s %6s\n", "phase", "wall s", "line s", "ratio",
              "CPU s", "CPU %", "bytes", "load");
  auto row = [&](const char* name, double wall, double bound, double cpu, qint64 bytes, bool good) {
    std::printf("%-16s %10.1f %10.1f %7.3f %9.3f %6.2f%% %12lld %6s%s\n", name, wall, bound,
                bound > 0 ? wall / bound : 0, cpu, wall > 0 ? 100 * cpu / wall : 0, bytes,
                qPrintable(LoadAverage()), good ? "" : "  FAILED");
    std::fflush(stdout);
  };
  bool ok = true;
  std::vector<double> fastCpu, fastShare, fastWall, bareCpu, bareShare, bareWall;
  BareLoopResult bare;
  for (const Phase& phase : phases) {
    const bool fast = QString(phase.name) == "fast verify";
    // The fast verify is short and its share of CPU is what the scheduler makes of 772 wake-ups,
    // so it runs kRepeats times, each followed by its exchanges in the barest loop: the floor on
    // this machine at that moment.
    for (int run = 0; run < (fast ? kRepeats : 1); ++run) {
      Measure m;
      bool good = RunPhase(bin + "/padflasher-cli", phase.args, baud, m);
      row(phase.name, m.wall, m.bound, m.cpu, m.sent + m.received, good);
      ok = ok && good;
      if (!fast) continue;
      fastCpu.push_back(m.cpu);
      fastWall.push_back(m.wall);
      fastShare.push_back(m.wall > 0 ? 100 * m.cpu / m.wall : 0);
      bare = RunBareLoop(folder.filePath("ports/COM1").toStdString(), 4, 768, baud);
      row("bare loop", bare.wall, double(bare.bytes) * kBitsPerByte / baud, bare.cpu, bare.bytes,
          bare.ok);
      bareCpu.push_back(bare.cpu);
      bareWall.push_back(bare.wall);
      bareShare.push_back(bare.wall > 0 ? 100 * bare.cpu / bare.wall : 0);
      ok = ok && bare.ok;
    }
  }
  sim.terminate();
  sim.waitForFinished(10000);
  const double start = StartCpu(bin + "/padflasher-cli");
  std::printf(
      "\nline s: every byte sent and received at %d baud, 10 bits per byte.\n"
      "CPU s: padflasher-cli's own processor time, its start included; starting it\n"
      "(padflasher-cli --version) costs %.3f s here (median of 15 starts).\n"
      "bare loop: the fast verify's %d exchanges by write, rest and read alone (no Qt).\n"
      "Per exchange (medians): fast verify %.0f us of CPU after the start, bare loop %.0f us;\n"
      "time per exchange: fast verify %.2f ms, bare loop %.2f ms.\n"
      "CPU share of wall (medians): fast verify %.2f%%, bare loop %.2f%%; a single run can be\n"
      "several times its median on a busy or virtual machine.\n"
      "load: the 1-minute load average at the end of the phase, on %d cores.\n",
      baud, start, bare.exchanges,
      bare.exchanges ? 1e6 * (Median(fastCpu) - start) / bare.exchanges : 0,
      bare.exchanges ? 1e6 * Median(bareCpu) / bare.exchanges : 0,
      bare.exchanges ? 1e3 * Median(fastWall) / bare.exchanges : 0,
      bare.exchanges ? 1e3 * Median(bareWall) / bare.exchanges : 0, Median(fastShare),
      Median(bareShare), QThread::idealThreadCount());
  return ok ? 0 : 1;
}
