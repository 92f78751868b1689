// The run flags' one owner: every operation starts with no cancel request pending, carries only
// its own run flag, leaves every flag cleared, and cannot start inside another.
#include <gtest/gtest.h>

#include "programmer/Link.h"
#include "programmer/OperationScope.h"

namespace {

struct Flags {
  bool programming, verifying, cancelProgramming, cancelVerify;
  bool operator==(const Flags&) const = default;
};

Flags Now() {
  return {gProgramming, gVerifying, gCancelProgramming, gCancelVerify};
}

TEST(OperationScope, EachOperationStartsCleanCarriesItsFlagAndLeavesNothingBehind) {
  const struct {
    Operation operation;
    Flags during, cancelled;
  } cases[] = {
      {Operation::Programming, {true, false, false, false}, {true, false, true, false}},
      {Operation::Verifying, {false, true, false, false}, {false, true, false, true}},
      {Operation::Reading, {false, false, false, false}, {false, false, false, false}},
      {Operation::Downloading, {false, false, false, false}, {false, false, false, false}},
  };
  const Flags cleared{false, false, false, false};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.operation));
    {
      OperationScope scope(c.operation);
      ASSERT_TRUE(scope.Started());
      EXPECT_EQ(Now(), c.during);
      EXPECT_EQ(OperationScope::Current(), c.operation);
      // The user pressed cancel meanwhile: only a programming or verification takes it.
      EXPECT_EQ(OperationScope::RequestCancel(), c.cancelled != c.during);
      EXPECT_EQ(Now(), c.cancelled);
    }
    EXPECT_EQ(Now(), cleared);
    EXPECT_FALSE(OperationScope::Current().has_value());
  }
}

TEST(OperationScope, ASecondOperationCannotStartInsideTheFirstNorEndIt) {
  OperationScope verify(Operation::Verifying);
  {
    OperationScope nested(Operation::Programming);
    EXPECT_FALSE(nested.Started());
    EXPECT_FALSE(gProgramming);
    OperationScope::RequestCancel();
  }
  EXPECT_EQ(OperationScope::Current(), Operation::Verifying);
  EXPECT_TRUE(gCancelVerify) << "the refused scope touched nothing on its way out";
}

TEST(OperationScope, ProgrammingTurnsIntoItsCheckAndADeclinedCancelCanBeAskedAgain) {
  OperationScope::EnterCheckPhase();
  EXPECT_EQ(Now(), (Flags{false, false, false, false})) << "no operation, no flag";
  OperationScope run(Operation::Programming);
  OperationScope::RequestCancel();
  OperationScope::DeclineCancel();
  EXPECT_EQ(Now(), (Flags{true, false, false, false}));
  OperationScope::EnterCheckPhase();
  OperationScope::RequestCancel();
  EXPECT_EQ(Now(), (Flags{false, true, false, true})) << "a cancel now stops the check";
}

}  // namespace
