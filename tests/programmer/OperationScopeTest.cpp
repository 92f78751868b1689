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

void SetAll(bool value) {
  gProgramming = gVerifying = gCancelProgramming = gCancelVerify = value;
}

TEST(OperationScope, EachOperationStartsCleanCarriesItsFlagAndLeavesNothingBehind) {
  const struct {
    Operation operation;
    Flags during;
  } cases[] = {
      {Operation::Programming, {true, false, false, false}},
      {Operation::Verifying, {false, true, false, false}},
      {Operation::Reading, {false, false, false, false}},
      {Operation::Downloading, {false, false, false, false}},
  };
  const Flags cleared{false, false, false, false};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.operation));
    SetAll(true);  // left over from a run that ended badly
    {
      OperationScope scope(c.operation);
      ASSERT_TRUE(scope.Started());
      EXPECT_EQ(Now(), c.during);
      EXPECT_EQ(OperationScope::Current(), c.operation);
      gCancelProgramming = gCancelVerify = true;  // the user pressed cancel meanwhile
    }
    EXPECT_EQ(Now(), cleared);
    EXPECT_FALSE(OperationScope::Current().has_value());
  }
}

TEST(OperationScope, ASecondOperationCannotStartInsideTheFirstNorEndIt) {
  SetAll(false);
  OperationScope download(Operation::Downloading);
  {
    OperationScope nested(Operation::Programming);
    EXPECT_FALSE(nested.Started());
    EXPECT_FALSE(gProgramming);
    gCancelVerify = true;
  }
  EXPECT_EQ(OperationScope::Current(), Operation::Downloading);
  EXPECT_TRUE(gCancelVerify) << "the refused scope touched nothing on its way out";
  gCancelVerify = false;
}

}  // namespace
