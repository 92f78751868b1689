#include "ScriptedHost.h"

#include <algorithm>

void ScriptedHost::Breathe() {
  ++breaths;
  if (onBreathe) onBreathe();
}

MsgAnswer ScriptedHost::Message(const std::string& text, const std::string& title, MsgIcon icon,
                                MsgButtons buttons) {
  MsgAnswer answer = MsgAnswer::Ok;
  if (buttons != MsgButtons::Ok) {
    if (!answers_.empty()) {
      answer = answers_.front();
      answers_.pop_front();
    } else {
      ++unexpected;
      answer = buttons == MsgButtons::RetryCancel ? MsgAnswer::Cancel : MsgAnswer::No;
    }
  }
  messages.push_back(Shown{text, title, icon, buttons, answer});
  if (onMessage) onMessage(messages.back());
  return answer;
}

void ScriptedHost::Progress(const std::string& label, double fraction, const std::string& caption) {
  labels.push_back(label);
  fractions.push_back(fraction);
  captions.push_back(caption);
}

std::vector<std::string> ScriptedHost::Texts() const {
  std::vector<std::string> texts;
  for (const auto& m : messages) texts.push_back(m.text);
  return texts;
}

bool ScriptedHost::Showed(const std::string& text) const {
  return std::any_of(messages.begin(), messages.end(),
                     [&](const Shown& m) { return m.text == text; });
}
