// Console host: terminal questions or the fixed no-terminal policy, progress on stderr, Ctrl-C.
#include "Console.h"

#include <unistd.h>

#include <QCoreApplication>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <vector>

#include "base/TextUtil.h"
#include "programmer/Link.h"
#include "programmer/LinkTexts.h"
#include "programmer/OperationScope.h"

namespace {

volatile std::sig_atomic_t gInterruptPending = 0;
volatile std::sig_atomic_t gInterruptCount = 0;

void OnCountedInterrupt(int) {
  gInterruptCount = gInterruptCount + 1;
}

// What the handler writes, in the user's language: made before it is installed, only read by it.
std::string gStoppedText, gCancelAskedText;

void OnInterrupt(int) {
  if (gInterruptPending) {
    [[maybe_unused]] ssize_t n = write(STDERR_FILENO, gStoppedText.data(), gStoppedText.size());
    _exit(130);
  }
  gInterruptPending = 1;
  [[maybe_unused]] ssize_t n =
      write(STDERR_FILENO, gCancelAskedText.data(), gCancelAskedText.size());
}

// The CLI's own wording of the link's texts that point at the window's buttons: the same facts,
// and what a terminal user does instead.
const char* const kTerminalInstructions =
    QT_TRANSLATE_NOOP("Console",
                      "Hand Control must be placed into Programming Mode:\r\n"
                      "\r\n"
                      "Hold down both the Undo and Info keys while\r\n"
                      "powering on the Quorrel kit.  When the Hand Control\r\n"
                      "displays 'Initializing...', release the buttons.\r\n"
                      "At this point, the display should show\r\n"
                      "'Transmit Data...'  Once it does, run the\r\n"
                      "command again.");

constexpr MessageRow kTerminalRows[] = {
    {MessageKind::PortLost,
     QT_TRANSLATE_NOOP("Console",
                       "The connection to the hand control on %1 was lost.\r\n\r\n"
                       "Check the cable and the serial adapter, then run the command again "
                       "('padflasher-cli ports' lists the serial devices)."),
     MsgIcon::Warning, MsgButtons::Ok},
};
const MessageTable kTerminalMessages{"Console", kTerminalRows};

// The names of a job and its phases as the progress line shows them; the plan keeps English.
[[maybe_unused]] const char* const kJobWords[] = {
    QT_TRANSLATE_NOOP("Cli", "Flash"),       QT_TRANSLATE_NOOP("Cli", "Verify"),
    QT_TRANSLATE_NOOP("Cli", "Read"),        QT_TRANSLATE_NOOP("Cli", "erasing"),
    QT_TRANSLATE_NOOP("Cli", "programming"), QT_TRANSLATE_NOOP("Cli", "checking"),
    QT_TRANSLATE_NOOP("Cli", "verifying"),   QT_TRANSLATE_NOOP("Cli", "reading"),
};

std::string CliText(const std::string& english) {
  return QCoreApplication::translate("Cli", english.c_str()).toStdString();
}

// "1:02 elapsed, 0:40 left"
std::string Times(const std::string& elapsed, const std::string& left) {
  return FillArguments(CliText(QT_TRANSLATE_NOOP("Cli", "%1 elapsed, %2 left")), {elapsed, left});
}

// Without a terminal nobody cancelled: the fixed policy gave up on a block.
constexpr MessageRow kPolicyRows[] = {
    {MessageKind::VerifyStopped,
     QT_TRANSLATE_NOOP("Console", "verifying failed at bank %1, block %2."), MsgIcon::Warning,
     MsgButtons::Ok},
};
const MessageTable kPolicyMessages{"Console", kPolicyRows};

// The message in the row of table for its kind, if the table has one.
const MessageRow* RowOf(const MessageTable& table, MessageKind kind) {
  for (const MessageRow& row : table.rows)
    if (row.kind == kind) return &row;
  return nullptr;
}

// A message as a terminal shows it: LF line ends, and no window buttons to click; without a
// terminal, a stop that the policy chose says what failed.
std::string TerminalText(const HostMessage& message, bool policy) {
  HostMessage shown = message;
  const MessageTable& table = policy && message.bank >= 0 ? kPolicyMessages : kTerminalMessages;
  if (const MessageRow* row = RowOf(table, message.Kind())) {
    shown.table = &table;
    shown.row = row;
  }
  return WithLfLineEnds(MessageText(shown));
}

bool IsRetryQuestion(MessageKind kind) {
  return kind == MessageKind::WriteRetryQuestion || kind == MessageKind::VerifyReadRetryQuestion ||
         kind == MessageKind::ReadRetryQuestion;
}

// Which question this is, for counting the retries of one block.
std::string QuestionKey(const HostMessage& message) {
  std::string key = std::to_string(static_cast<int>(message.Kind()));
  for (const std::string& arg : message.args) key += '\n' + arg;
  return key;
}

std::string Clock(double seconds) {
  if (seconds < 0 || !std::isfinite(seconds)) return "--:--";
  long s = std::lround(seconds);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%ld:%02ld", s / 60, s % 60);
  return buf;
}

// Without a terminal a retry question is answered Retry this many times for the same block.
constexpr int kPolicyRetries = 2;

}  // namespace

void InstallInterruptHandler() {
  struct sigaction action {};
  gStoppedText = "\n" +
                 QCoreApplication::translate("Cli",
                                             "padflasher-cli: stopped at once; a hand control "
                                             "being programmed stays in programming mode.")
                     .toStdString() +
                 "\n";
  gCancelAskedText = "\n" +
                     QCoreApplication::translate("Cli",
                                                 "padflasher-cli: cancel requested; stopping at "
                                                 "the next safe point (press Ctrl-C again to stop "
                                                 "at once).")
                         .toStdString() +
                     "\n";
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a terminal question returns on Ctrl-C
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool InterruptPending() {
  return gInterruptPending != 0;
}
void ClearInterrupt() {
  gInterruptPending = 0;
}

void CountInterrupts() {
  struct sigaction action {};
  action.sa_handler = OnCountedInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

int InterruptCount() {
  return gInterruptCount;
}

ConsoleHost& ConsoleHostInstance() {
  static ConsoleHost host;
  return host;
}

ConsoleHost::ConsoleHost()
    : askTerminal_(isatty(STDIN_FILENO) == 1),
      progressTerminal_(isatty(STDERR_FILENO) == 1),
      columns_(progressTerminal_ ? TerminalColumns(STDERR_FILENO) : 0) {
  if (progressTerminal_) WatchTerminalSize();
}

std::string FitProgressLine(const std::string& head, double fraction, const std::string& tail,
                            int columns) {
  constexpr int kBarWidth = 30, kShortestBar = 10;
  const std::string& shown = head;
  auto bar = [&](int width) {
    const int filled = static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * width));
    return " [" + std::string(filled, '#') + std::string(width - filled, '.') + "] ";
  };
  std::string line = shown + bar(kBarWidth) + tail;
  if (columns <= 0 || static_cast<int>(line.size()) < columns) return line;
  // The last column stays free: a terminal wraps a line that fills it on some emulators.
  const int room = columns - 1 - static_cast<int>(shown.size() + tail.size()) - 4;
  line = room >= kShortestBar ? shown + bar(room) + tail : shown + " " + tail;
  if (static_cast<int>(line.size()) >= columns) line.resize(std::max(columns - 1, 0));
  return line;
}

void ConsoleHost::SetInteractive(bool questionsOnTerminal, bool progressOnTerminal) {
  askTerminal_ = questionsOnTerminal;
  progressTerminal_ = progressOnTerminal;
}

void ConsoleHost::Breathe() {
  // The link breathes many times a second; the countdown needs a look once a second.
  if (job_.HasPlan() && !quiet_) {
    const double now = Now();
    if (now - lastTick_ >= 1) {
      lastTick_ = now;
      DrawJob();
    }
  }
  // Ctrl-C acts like the window's cancel button: it only raises the operation's request flag.
  if (gInterruptPending) OperationScope::RequestCancel();
}

bool ConsoleHost::StopRequested() {
  return gInterruptPending != 0;
}

void ConsoleHost::CancelDeclined() {
  // The user declined to cancel: a later Ctrl-C starts a new request.
  ClearInterrupt();
}

void ConsoleHost::Notice(const HostMessage& message) {
  EndProgressLine();
  std::fprintf(stderr, "padflasher-cli: warning: %s\n", TerminalText(message, false).c_str());
  std::fflush(stderr);
}

void ConsoleHost::EndProgressLine() {
  if (!lineOpen_) return;
  std::fputc('\n', stderr);
  std::fflush(stderr);
  lineOpen_ = false;
}

void ConsoleHost::ShowProgrammingModeHelp() {
  EndProgressLine();
  std::fprintf(
      stderr, "\n%s\n\n",
      WithLfLineEnds(QCoreApplication::translate("Console", kTerminalInstructions).toStdString())
          .c_str());
  std::fflush(stderr);
}

MsgAnswer ConsoleHost::PolicyAnswer(const HostMessage& message) {
  const MsgButtons buttons = message.row->buttons;
  if (IsRetryQuestion(message.Kind())) {
    const std::string key = QuestionKey(message);
    if (key == lastRetryKey_) {
      ++retriesForKey_;
    } else {
      lastRetryKey_ = key;
      retriesForKey_ = 1;
    }
    bool again = retriesForKey_ <= kPolicyRetries;
    if (buttons == MsgButtons::RetryCancel) return again ? MsgAnswer::Retry : MsgAnswer::Cancel;
    return again ? MsgAnswer::Yes : MsgAnswer::No;
  }
  switch (buttons) {
    case MsgButtons::Ok:
      return MsgAnswer::Ok;
    case MsgButtons::YesNo:
      // Go on past a difference so that every one is listed; confirm a requested cancel.
      if (message.Kind() == MessageKind::DifferenceQuestion ||
          message.Kind() == MessageKind::CancelProgrammingQuestion)
        return MsgAnswer::Yes;
      return MsgAnswer::No;
    case MsgButtons::YesNoCancel:
      return MsgAnswer::Cancel;
    case MsgButtons::RetryCancel:
      return MsgAnswer::Cancel;
  }
  return MsgAnswer::No;
}

MsgAnswer ConsoleHost::Message(const HostMessage& message) {
  EndProgressLine();
  const std::string text = TerminalText(message, !askTerminal_);
  lastMessage_ = text;
  if (message.Kind() == MessageKind::DifferenceQuestion) {
    difference_ = true;
    differences_.emplace_back(message.bank, message.block);
  }
  if (message.Kind() == MessageKind::ProgrammingCancelled ||
      message.Kind() == MessageKind::VerifyCancelled)
    cancelled_ = true;
  const MsgAnswer policy = PolicyAnswer(message);
  if (message.row->buttons == MsgButtons::Ok) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    return MsgAnswer::Ok;
  }
  return Ask(text, message.row->buttons, policy);
}

MsgAnswer ConsoleHost::Ask(const std::string& text, MsgButtons buttons, MsgAnswer policy) {
  struct Choice {
    char key;
    const char* word;
    MsgAnswer answer;
  };
  std::vector<Choice> choices;
  if (buttons == MsgButtons::RetryCancel) {
    choices = {{'r', QT_TRANSLATE_NOOP("Cli", "Retry"), MsgAnswer::Retry},
               {'c', QT_TRANSLATE_NOOP("Cli", "Cancel"), MsgAnswer::Cancel}};
  } else {
    choices = {{'y', QT_TRANSLATE_NOOP("Cli", "Yes"), MsgAnswer::Yes},
               {'n', QT_TRANSLATE_NOOP("Cli", "No"), MsgAnswer::No}};
    if (buttons == MsgButtons::YesNoCancel)
      choices.push_back({'c', QT_TRANSLATE_NOOP("Cli", "Cancel"), MsgAnswer::Cancel});
  }
  auto wordOf = [&](MsgAnswer answer) -> std::string {
    for (const auto& c : choices)
      if (c.answer == answer) return CliText(c.word);
    return "?";
  };
  const std::string& shown = text;
  if (!askTerminal_) {
    const std::string answered =
        FillArguments(CliText(QT_TRANSLATE_NOOP("Cli", "%1 (no terminal)")), {wordOf(policy)});
    std::fprintf(stderr, "%s -> %s\n", shown.c_str(), answered.c_str());
    std::fflush(stderr);
    return policy;
  }
  for (;;) {
    std::string prompt;
    for (const auto& c : choices) prompt += std::string(prompt.empty() ? "" : "/") + c.key;
    std::fprintf(stderr, "%s [%s] ", shown.c_str(), prompt.c_str());
    std::fflush(stderr);
    std::string line;
    char ch = 0;
    ssize_t n = 0;
    while ((n = read(STDIN_FILENO, &ch, 1)) == 1 && ch != '\n') line += ch;
    if (n <= 0 && line.empty()) {
      // End of input or Ctrl-C at the prompt: the cautious answer of the no-terminal policy.
      std::fprintf(stderr, "\n-> %s\n", wordOf(policy).c_str());
      return policy;
    }
    char key =
        line.empty() ? 0 : static_cast<char>(std::tolower(static_cast<unsigned char>(line[0])));
    for (const auto& c : choices)
      if (key == c.key) return c.answer;
  }
}

void ConsoleHost::Progress(LinkPhase phase, double fraction) {
  if (quiet_) return;
  if (!job_.HasPlan()) {
    PhaseProgress(static_cast<int>(phase), ProgressLabel(phase, fraction), fraction);
    return;
  }
  job_.Update(phase, fraction, Now());
  if (phase == LinkPhase::ProgrammingComplete) job_.FinishPhase();
  DrawJob();
}

void ConsoleHost::TransferProgress(const std::string& label, double fraction) {
  if (quiet_) return;
  PhaseProgress(kTransferPhase, label, fraction);
}

double ConsoleHost::Now() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void ConsoleHost::BeginJob(const std::string& title, std::vector<ProgressPhase> plan) {
  jobTitle_ = title;
  job_.SetPlan(std::move(plan));
  jobStart_ = Now();
  lastDecile_ = -1;
  lastJobText_.clear();
}

void ConsoleHost::EnterPhase(const std::string& name) {
  job_.Enter(name, Now());
  if (!quiet_) DrawJob();
}

void ConsoleHost::EndJob() {
  job_.SetPlan({});
  EndProgressLine();
}

void ConsoleHost::DrawJob() {
  if (!job_.HasPlan()) return;
  const double now = Now();
  const double fraction = job_.Fraction(now);
  const int percent = static_cast<int>(std::floor(fraction * 100 + 1e-9));
  const std::string phase = CliText(job_.PhaseName());
  const std::string times = Times(Clock(now - jobStart_), Clock(job_.Remaining(now)));
  const std::string title = CliText(jobTitle_);
  if (worker_) {
    const std::string line =
        kWorkerProgressMark + std::to_string(percent) + " " + job_.PhaseName() + "\n";
    if (line == lastJobText_) return;
    lastJobText_ = line;
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    return;
  }
  if (!progressTerminal_) {
    const int decile = percent / 10;
    if (decile <= lastDecile_) return;
    lastDecile_ = decile;
    std::fprintf(stderr, "%s: %3d%%  %s, %s\n", title.c_str(), decile * 10, phase.c_str(),
                 times.c_str());
    std::fflush(stderr);
    return;
  }
  if (TerminalResized()) {
    columns_ = TerminalColumns(STDERR_FILENO);
    lastJobText_.clear();
  }
  const std::string text = FitProgressLine(title + " " + std::to_string(percent) + "%", fraction,
                                           phase + ", " + times, columns_);
  if (text == lastJobText_) return;
  lastJobText_ = text;
  std::fprintf(stderr, "\r%s\x1b[K", text.c_str());
  std::fflush(stderr);
  lineOpen_ = true;
}

void ConsoleHost::PhaseProgress(int phase, const std::string& label, double fraction) {
  if (worker_) return;  // the copy that started it shows only a job's progress
  auto now = std::chrono::steady_clock::now();
  if (phase != phase_) {
    EndProgressLine();
    phase_ = phase;
    phaseStart_ = now;
    lastDecile_ = -1;
  }
  fraction = std::clamp(fraction, 0.0, 1.0);
  double elapsed = std::chrono::duration<double>(now - phaseStart_).count();
  if (!progressTerminal_) {
    int decile = static_cast<int>(std::floor(fraction * 10 + 1e-9));
    if (decile <= lastDecile_) return;
    lastDecile_ = decile;
    const std::string since =
        FillArguments(CliText(QT_TRANSLATE_NOOP("Cli", "(%1 elapsed)")), {Clock(elapsed)});
    std::fprintf(stderr, "%s  %s\n", label.c_str(), since.c_str());
    std::fflush(stderr);
    return;
  }
  // The link reports every block; the line is redrawn when its text changes or the clock moves.
  const bool resized = TerminalResized();
  if (resized) columns_ = TerminalColumns(STDERR_FILENO);
  if (!resized && lineOpen_ && label == lastLabel_ &&
      now - lastDraw_ < std::chrono::milliseconds(500))
    return;
  lastLabel_ = label;
  lastDraw_ = now;
  double remaining = fraction > 0.005 ? elapsed * (1 - fraction) / fraction : -1;
  const std::string text =
      FitProgressLine(label, fraction, Times(Clock(elapsed), Clock(remaining)), columns_);
  std::fprintf(stderr, "\r%s\x1b[K", text.c_str());
  std::fflush(stderr);
  lineOpen_ = true;
}
