#pragma once
// A host for link operations in tests: answers questions from a script and records everything
// the operation showed.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "base/Host.h"

class ScriptedHost : public IHost {
 public:
  struct Shown {
    MessageKind kind;
    std::string text;
    std::string title;
    MsgIcon icon;
    MsgButtons buttons;
    MsgAnswer answer;
  };

  // Answers for the next questions, in order. A question beyond the script gets No (or Cancel)
  // and counts as unexpected.
  void Script(std::initializer_list<MsgAnswer> answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
  }
  // Runs at every Breathe: the place where a test presses the cancel button at the right moment.
  std::function<void()> onBreathe;
  // Runs when a message is shown, after the answer is chosen.
  std::function<void(const Shown&)> onMessage;

  void Breathe() override;
  MsgAnswer Message(const HostMessage& message) override;
  void Progress(LinkPhase phase, double fraction) override;
  void ShowProgrammingModeHelp() override { ++helpShown; }
  void CancelDeclined() override { ++cancelRestored; }

  // Texts of every message shown, in order.
  std::vector<std::string> Texts() const;
  bool Showed(const std::string& text) const;

  std::vector<Shown> messages;
  std::vector<LinkPhase> phases;
  std::vector<std::string> labels;
  std::vector<double> fractions;
  std::vector<std::string> captions;
  int helpShown = 0;
  int cancelRestored = 0;
  int breaths = 0;
  int unexpected = 0;

 private:
  std::deque<MsgAnswer> answers_;
};
