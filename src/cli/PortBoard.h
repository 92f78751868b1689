#pragma once
// What several ports at once look like: one line per port while they run, a table at the end.
#include <QJsonObject>
#include <QString>
#include <string>
#include <vector>

struct PortRun {
  QString port;   // as given on the command line
  QString phase;  // the job's phase in English, as the worker reported it; empty before that
  int percent = 0;
  bool ended = false;
  int exitCode = 0;
  double seconds = 0;
  QString ending;  // how it ended: the last result line, or the first line of what failed
  QJsonObject document;
};

// The line of one port, fitted to columns (0: unknown): its name cut to nameWidth, the percent,
// a bar when there is room, then the phase or how it ended.
std::string BoardLine(const PortRun& run, int nameWidth, int columns);
// The width of the port names' column: the longest, but at most a quarter of the terminal.
int NameWidth(const std::vector<PortRun>& runs, int columns);
// A job's phase as a worker names it ("programming"), in the user's language.
QString PhaseWord(const QString& phase);
// "ok", "failed", "bad input", "cancelled" in the user's language.
QString ResultWord(int exitCode);
// Port, result, seconds and how it ended, one row per port under a header, each line ending in
// a newline; on a terminal too narrow for it (columns; 0: unknown) the ending takes a line of
// its own under its row.
QString SummaryTable(const std::vector<PortRun>& runs, int columns);
// 0 when every run succeeded; else 130 before 1 before 2.
int WorstExitCode(const std::vector<PortRun>& runs);
