// Which key releases the wizard may act on: only those whose press arrived at the same place.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <string>
#include <vector>

#include "wizard/KeyReleaseGate.h"

namespace {

struct Step {
  char kind;  // 'p' press, 'r' release, 'P'/'R' auto-repeated, 'f' forget
  int key;
  bool passes;
};

struct Case {
  const char* name;
  std::vector<Step> steps;
};

TEST(KeyReleaseGate, ReleasesPassOnlyAfterTheirOwnPress) {
  const Case cases[] = {
      {"press then release", {{'p', Qt::Key_Return, false}, {'r', Qt::Key_Return, true}}},
      {"release whose press went elsewhere", {{'r', Qt::Key_Return, false}}},
      {"second release of one press",
       {{'p', Qt::Key_Return, false}, {'r', Qt::Key_Return, true}, {'r', Qt::Key_Return, false}}},
      {"release of another key", {{'p', Qt::Key_Escape, false}, {'r', Qt::Key_Return, false}}},
      {"Alt+Left: the arrow counts, the modifier's release does not",
       {{'p', Qt::Key_Alt, false},
        {'p', Qt::Key_Left, false},
        {'r', Qt::Key_Left, true},
        {'r', Qt::Key_Alt, false}}},
      {"auto-repeat never passes and keeps the real press",
       {{'p', Qt::Key_Return, false},
        {'R', Qt::Key_Return, false},
        {'P', Qt::Key_Return, false},
        {'r', Qt::Key_Return, true}}},
      {"forgotten press",
       {{'p', Qt::Key_Return, false}, {'f', 0, false}, {'r', Qt::Key_Return, false}}},
  };
  for (const Case& each : cases) {
    KeyReleaseGate gate;
    for (size_t i = 0; i < each.steps.size(); ++i) {
      const Step& step = each.steps[i];
      if (step.kind == 'f') {
        gate.Forget();
        continue;
      }
      const bool press = step.kind == 'p' || step.kind == 'P';
      const bool repeat = step.kind == 'P' || step.kind == 'R';
      QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, step.key, Qt::NoModifier,
                      QString(), repeat);
      EXPECT_EQ(gate.Passes(event), step.passes) << each.name << ", step " << i;
    }
  }
}

TEST(KeyReleaseGate, OtherEventsAreIgnored) {
  KeyReleaseGate gate;
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  gate.Passes(press);
  QEvent other(QEvent::FocusIn);
  EXPECT_FALSE(gate.Passes(other));
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
  EXPECT_TRUE(gate.Passes(release)) << "an unrelated event must not drop the press";
}

}  // namespace
