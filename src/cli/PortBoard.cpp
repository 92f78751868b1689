#include "PortBoard.h"

#include <algorithm>

#include "Commands.h"
#include "Console.h"

namespace {

// A name too long for its column keeps its end, where by-id names and serials differ.
QString Cut(const QString& name, int width) {
  if (name.size() <= width) return name;
  return width <= 3 ? name.right(width) : "..." + name.right(width - 3);
}

int Rank(int exitCode) {
  switch (exitCode) {
    case kExitOk:
      return 0;
    case kExitUsage:
      return 1;
    case kExitFailed:
      return 2;
    case kExitCancelled:
      return 4;
    default:
      return 3;  // anything else a copy ended with counts as a failure of its own
  }
}

}  // namespace

int NameWidth(const std::vector<PortRun>& runs, int columns) {
  int longest = 4;
  for (const PortRun& run : runs) longest = std::max(longest, static_cast<int>(run.port.size()));
  return columns > 0 ? std::min(longest, std::max(8, columns / 4)) : longest;
}

QString ResultWord(int exitCode) {
  switch (exitCode) {
    case kExitOk:
      return Cli::tr("ok");
    case kExitUsage:
      return Cli::tr("bad input");
    case kExitCancelled:
      return Cli::tr("cancelled");
    default:
      return Cli::tr("failed");
  }
}

QString PhaseWord(const QString& phase) {
  const QByteArray english = phase.toUtf8();
  return QCoreApplication::translate("Cli", english.constData());
}

std::string BoardLine(const PortRun& run, int nameWidth, int columns) {
  const QString name = Cut(run.port, nameWidth).leftJustified(nameWidth);
  const int percent = run.ended && run.exitCode == kExitOk ? 100 : run.percent;
  const QString state = run.ended             ? ResultWord(run.exitCode)
                        : run.phase.isEmpty() ? Cli::tr("starting")
                                              : PhaseWord(run.phase);
  const QString head = name + QString(" %1%").arg(percent, 3);
  return FitProgressLine(head.toStdString(), percent / 100.0, state.toStdString(), columns);
}

QString SummaryTable(const std::vector<PortRun>& runs, int columns) {
  const QString port = Cli::tr("Port"), result = Cli::tr("Result"), seconds = Cli::tr("Seconds"),
                ending = Cli::tr("How it ended");
  int portWidth = static_cast<int>(port.size()), resultWidth = static_cast<int>(result.size());
  for (const PortRun& run : runs) {
    portWidth = std::max(portWidth, static_cast<int>(run.port.size()));
    resultWidth = std::max(resultWidth, static_cast<int>(ResultWord(run.exitCode).size()));
  }
  const int secondsWidth = std::max(static_cast<int>(seconds.size()), 7);
  auto row = [&](const QString& a, const QString& b, const QString& c, const QString& d) {
    const QString lead = a.leftJustified(portWidth) + "  " + b.leftJustified(resultWidth) + "  " +
                         c.rightJustified(secondsWidth);
    // The last terminal column stays free; where the ending has no room beside the rest, it
    // gets a line of its own, cut only if even that is too narrow.
    if (columns <= 0 || lead.size() + 2 + d.size() < columns) return lead + "  " + d + "\n";
    QString own = "    " + d;
    if (own.size() >= columns) own = own.left(std::max(columns - 4, 0)) + "...";
    return lead + "\n" + own + "\n";
  };
  QString table = row(port, result, seconds, ending);
  for (const PortRun& run : runs)
    table +=
        row(run.port, ResultWord(run.exitCode), QString::number(run.seconds, 'f', 1), run.ending);
  return table;
}

int WorstExitCode(const std::vector<PortRun>& runs) {
  int worst = kExitOk;
  for (const PortRun& run : runs)
    if (Rank(run.exitCode) > Rank(worst)) worst = run.exitCode;
  return worst;
}
