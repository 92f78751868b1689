#include "ScriptedHost.h"

#include <algorithm>

#include "programmer/LinkTexts.h"
#include "startup/Startup.h"

void ScriptedHost::Breathe() {
  ++breaths;
  if (onBreathe) onBreathe();
}

MsgAnswer ScriptedHost::Message(const HostMessage& message) {
  const MsgButtons buttons = message.row->buttons;
  std::string title = MessageTitle(message);
  if (title.empty()) title = gBaseName;
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
  messages.push_back(
      Shown{message.Kind(), MessageText(message), title, message.row->icon, buttons, answer});
  if (onMessage) onMessage(messages.back());
  return answer;
}

void ScriptedHost::Progress(LinkPhase phase, double fraction) {
  phases.push_back(phase);
  labels.push_back(ProgressLabel(phase, fraction));
  fractions.push_back(fraction);
  captions.push_back(ProgressCaption(fraction));
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
