#include <QDir>
#include <vector>

#include "TempFolder.h"
#include "base/DebugLog.h"
#include "base/DebugLogClock.h"

namespace {
class DebugLogTest : public TempFolderTest {
 protected:
  std::string Log() { return ReadBytes(Path("debugexe.txt")); }
};

TEST_F(DebugLogTest, LinesCarryTheLocalTimeStamp) {
  struct Case {
    QDateTime at;
    std::string message, expected;
  };
  const std::vector<Case> cases = {
      {QDateTime(QDate(2008, 3, 3), QTime(14, 5, 9)), "gURL = x", "20080303140509: gURL = x\r\n"},
      {QDateTime(QDate(2026, 2, 1), QTime(9, 5, 3)), "m", "20260201090503: m\r\n"},
      {QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)), "", "19991231235959: \r\n"},
      {QDateTime(QDate(2010, 10, 10), QTime(0, 0, 0)), "a\xe9", "20101010000000: a\xe9\r\n"},
  };
  for (const auto& c : cases) {
    OpenDebugLog();
    SetDebugLogClock([&] { return c.at; });
    DebugLog(c.message);
    EXPECT_EQ(Log(), c.expected);
  }
}

TEST_F(DebugLogTest, LinesAppendInCallOrderWhileTheSwitchIsOn) {
  SetDebugLogClock([] { return QDateTime(QDate(2008, 3, 3), QTime(14, 5, 9)); });
  EXPECT_FALSE(DebugEnabled());
  OpenDebugLog();
  EXPECT_TRUE(DebugEnabled());
  DebugLog("one");
  SetDebugEnabled(false);
  DebugLog("lost");
  SetDebugEnabled(true);
  DebugLog("two");
  EXPECT_EQ(Log(), "20080303140509: one\r\n20080303140509: two\r\n");
}

TEST_F(DebugLogTest, EachOpenReplacesThePreviousRunsFile) {
  OpenDebugLog();
  DebugLog("first run");
  CloseDebugLog();
  OpenDebugLog();
  DebugLog("second run");
  EXPECT_EQ(Log().find("first run"), std::string::npos);
  EXPECT_NE(Log().find("second run"), std::string::npos);
}

TEST_F(DebugLogTest, NothingIsWrittenAfterClosing) {
  OpenDebugLog();
  DebugLog("before");
  CloseDebugLog();
  const std::string closed = Log();
  DebugLog("after");
  SetDebugEnabled(true);
  DebugLog("after, switched on");
  CloseDebugLog();
  EXPECT_EQ(Log(), closed);
  EXPECT_NE(closed.find("before"), std::string::npos);
}

TEST_F(DebugLogTest, ALogThatCannotBeCreatedLetsTheProgramRunOn) {
  // A folder of that name can neither be deleted (it is not empty) nor opened as the log.
  QDir here(QString::fromStdString(Folder()));
  ASSERT_TRUE(here.mkpath("debugexe.txt/held"));
  OpenDebugLog();
  EXPECT_TRUE(DebugEnabled());
  DebugLog("goes nowhere");
  CloseDebugLog();
  EXPECT_TRUE(QFileInfo(here.filePath("debugexe.txt/held")).isDir());
}
}  // namespace
