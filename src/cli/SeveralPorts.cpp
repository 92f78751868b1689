#include "SeveralPorts.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <vector>

#include "Commands.h"
#include "Console.h"
#include "PortBoard.h"
#include "Process.h"
#include "Report.h"
#include "Session.h"
#include "base/TextUtil.h"

namespace {

// The lines of every port on stderr: redrawn in place on a terminal, a plain line per tenth or
// phase otherwise; what a copy prints for a person goes above them, marked with its port.
class Board {
 public:
  Board(std::vector<PortRun>& runs, bool quiet)
      : runs_(runs), quiet_(quiet), terminal_(isatty(STDERR_FILENO) == 1) {
    if (terminal_) {
      WatchTerminalSize();
      columns_ = TerminalColumns(STDERR_FILENO);
    }
  }

  void Message(size_t index, const QString& line) {
    Erase();
    std::fprintf(stderr, "%s: %s\n", runs_[index].port.toLocal8Bit().constData(),
                 line.toLocal8Bit().constData());
    Draw();
  }

  void Draw() {
    if (quiet_) return;
    if (TerminalResized()) {
      columns_ = TerminalColumns(STDERR_FILENO);
      Erase();
    }
    const int width = NameWidth(runs_, columns_);
    if (!terminal_) {
      shown_.resize(runs_.size());
      for (size_t i = 0; i < runs_.size(); ++i) {
        const PortRun& run = runs_[i];
        // Once per tenth and phase, so that a log of the run stays short.
        const QString key = run.phase + QString::number(run.percent / 10);
        if (run.ended || run.phase.isEmpty() || key == shown_[i]) continue;
        shown_[i] = key;
        std::fprintf(stderr, "%s: %3d%% %s\n", run.port.toLocal8Bit().constData(), run.percent,
                     PhaseWord(run.phase).toLocal8Bit().constData());
      }
      std::fflush(stderr);
      return;
    }
    std::string text = drawn_ > 0 ? "\x1b[" + std::to_string(drawn_) + "A" : "";
    for (const PortRun& run : runs_) text += "\r" + BoardLine(run, width, columns_) + "\x1b[K\n";
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
    drawn_ = static_cast<int>(runs_.size());
  }

  // The lines leave the screen, so that what follows starts where they began.
  void Erase() {
    if (drawn_ == 0) return;
    std::fprintf(stderr, "\x1b[%dA\r\x1b[J", drawn_);
    drawn_ = 0;
  }

 private:
  std::vector<PortRun>& runs_;
  bool quiet_;
  bool terminal_;
  int columns_ = 0;
  int drawn_ = 0;
  std::vector<QString> shown_;
};

// A copy's line for a person, made safe for the terminal although it is this program's own.
QString Printable(const QByteArray& line) {
  return QString::fromLocal8Bit(EscapedForDisplay(line.toStdString()));
}

class Workers {
 public:
  Workers(const CommandLine& cl, const std::function<QStringList(const QString&)>& positional)
      : board_(runs_, ConsoleHostInstance().Quiet()), command_(cl.Positional().value(0)) {
    for (const QString& port : cl.Ports()) {
      PortRun run;
      run.port = port;
      runs_.push_back(run);
    }
    partial_.resize(runs_.size());
    clock_.start();
    for (size_t i = 0; i < runs_.size(); ++i) {
      const QString tag = PortTag(runs_[i].port);
      auto process = std::make_unique<QProcess>();
      process->setProgram(QCoreApplication::applicationFilePath());
      process->setArguments(cl.WorkerArguments(runs_[i].port, tag, positional(tag)));
      process->setStandardInputFile(QProcess::nullDevice());
      process->setChildProcessModifier([] { SeparateWorkerProcess(); });
      QObject::connect(process.get(), &QProcess::readyReadStandardError,
                       [this, i] { ReadErrors(i); });
      QObject::connect(process.get(), &QProcess::finished,
                       [this, i](int code, QProcess::ExitStatus status) {
                         Ended(i, status == QProcess::NormalExit ? code : -1);
                       });
      QObject::connect(process.get(), &QProcess::errorOccurred,
                       [this, i](QProcess::ProcessError e) {
                         if (e == QProcess::FailedToStart) Ended(i, -1);
                       });
      processes_.push_back(std::move(process));
    }
  }

  int Run() {
    CountInterrupts();
    board_.Draw();
    for (auto& process : processes_) process->start();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [this] { Tick(); });
    tick.start(100);
    if (Running() > 0) loop_.exec();
    board_.Erase();
    return Report();
  }

 private:
  int Running() const {
    int running = 0;
    for (const PortRun& run : runs_) running += run.ended ? 0 : 1;
    return running;
  }

  void Tick() {
    // Each Ctrl-C once to every copy: the first asks them to cancel, a second stops them.
    while (forwarded_ < InterruptCount()) {
      ++forwarded_;
      for (size_t i = 0; i < runs_.size(); ++i)
        if (!runs_[i].ended) SendInterrupt(processes_[i]->processId());
    }
    board_.Draw();
  }

  void ReadErrors(size_t index) {
    QProcess& process = *processes_[index];
    partial_[index] += process.readAllStandardError();
    for (qsizetype end; (end = partial_[index].indexOf('\n')) >= 0;) {
      const QByteArray line = partial_[index].left(end);
      partial_[index].remove(0, end + 1);
      Line(index, line);
    }
  }

  void Line(size_t index, const QByteArray& line) {
    PortRun& run = runs_[index];
    if (line.startsWith(kWorkerProgressMark)) {
      const QList<QByteArray> fields = line.mid(1).split(' ');
      bool ok = false;
      const int percent = fields.value(0).toInt(&ok);
      if (ok && fields.size() == 2 && percent >= 0 && percent <= 100) {
        run.percent = percent;
        run.phase = QString::fromLatin1(fields[1]);
        board_.Draw();
      }
      return;
    }
    if (line.trimmed().isEmpty()) return;
    run.ending = Printable(line);
    board_.Message(index, run.ending);
  }

  void Ended(size_t index, int code) {
    PortRun& run = runs_[index];
    if (run.ended) return;
    ReadErrors(index);
    if (!partial_[index].isEmpty()) Line(index, partial_[index]);
    partial_[index].clear();
    run.ended = true;
    run.seconds = clock_.nsecsElapsed() / 1e9;
    QJsonParseError error{};
    const QJsonDocument doc =
        QJsonDocument::fromJson(processes_[index]->readAllStandardOutput(), &error);
    run.document = error.error == QJsonParseError::NoError ? doc.object() : QJsonObject();
    if (code < 0 && forwarded_ > 0) {
      code = kExitCancelled;  // Ctrl-C came before the copy could catch it
    } else if (code < 0 || (code == kExitOk && run.document.isEmpty())) {
      code = kExitFailed;
      run.ending.clear();
    }
    if (run.ending.isEmpty()) run.ending = Cli::tr("ended without a report");
    run.exitCode = code;
    if (run.document.isEmpty())
      run.document = {{"command", command_},
                      {"port", run.port},
                      {"result", ExitMeaning(code)},
                      {"exit_code", code},
                      {"exit_meaning", ExitMeaning(code)},
                      {"message", run.ending}};
    if (run.document.contains("seconds")) run.seconds = run.document.value("seconds").toDouble();
    // A failure is told by what its copy said went wrong, not by its last line.
    if (const QString message = run.document.value("message").toString();
        code != kExitOk && !message.isEmpty())
      run.ending = Printable(message.section('\n', 0, 0).toLocal8Bit());
    AddWorkerLineCounts(run.document.value("bytes_sent").toInteger(),
                        run.document.value("bytes_received").toInteger());
    board_.Draw();
    if (Running() == 0) loop_.quit();
  }

  int Report() {
    const int code = WorstExitCode(runs_);
    QJsonArray documents;
    for (const PortRun& run : runs_) documents.append(run.document);
    ClearReportFields();
    ReportField("ports", documents);
    const int columns = isatty(JsonWanted() ? STDERR_FILENO : STDOUT_FILENO) == 1
                            ? TerminalColumns(JsonWanted() ? STDERR_FILENO : STDOUT_FILENO)
                            : 0;
    for (const QString& line : SummaryTable(runs_, columns).split('\n', Qt::SkipEmptyParts))
      PrintOut(line);
    QStringList failed;
    for (const PortRun& run : runs_)
      if (run.exitCode != kExitOk) failed << run.port;
    if (failed.isEmpty())
      PrintOut(Cli::tr("All %1 hand controls succeeded.").arg(runs_.size()));
    else
      PrintError(Cli::tr("%1 of %2 hand controls did not succeed: %3.")
                     .arg(failed.size())
                     .arg(runs_.size())
                     .arg(failed.join(", ")));
    return code;
  }

  std::vector<PortRun> runs_;
  std::vector<std::unique_ptr<QProcess>> processes_;
  std::vector<QByteArray> partial_;
  Board board_;
  QEventLoop loop_;
  QString command_;
  QElapsedTimer clock_;
  int forwarded_ = 0;
};

}  // namespace

QString PortTag(const QString& port) {
  QString tag = port;
  if (tag.startsWith("/dev/")) tag = tag.mid(5);
  if (tag.startsWith('/')) tag = tag.mid(1);
  for (QChar& c : tag)
    if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != '.' && c != '_' && c != '-') c = '-';
  // Never a hidden file nor a way up.
  for (qsizetype i = 0; i < tag.size() && tag[i] == '.'; ++i) tag[i] = '-';
  return tag;
}

QString PerPortFileName(const QString& file, const QString& tag) {
  const qsizetype slash = file.lastIndexOf('/');
  const qsizetype dot = file.lastIndexOf('.');
  if (dot <= slash + 1) return file + "-" + tag;
  return file.left(dot) + "-" + tag + file.mid(dot);
}

int RunOnEachPort(const CommandLine& cl,
                  const std::function<QStringList(const QString&)>& positional) {
  Workers workers(cl, positional);
  return workers.Run();
}
