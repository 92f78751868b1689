#include <vector>

#include "ProgramState.h"
#include "TempFolder.h"
#include "base/DebugLog.h"
#include "startup/Versions.h"
#include "startup/VersionsDocument.h"

namespace {
class VersionsTest : public TempFolderTest {
  SavedProgramState saved_;
};

std::string Describe(const VersionEntry& v) {
  return v.Status + "|" + v.TypeName + "|" + v.Checksum + "|" + std::to_string(v.Major) + "|" +
         std::to_string(v.Minor);
}

std::vector<std::string> Table() {
  std::vector<std::string> rows;
  for (const auto& v : gVersions) rows.push_back(Describe(v));
  return rows;
}

TEST_F(VersionsTest, LoadVersionsSplitsTheFiveFields) {
  struct Case {
    const char* name;
    std::string file;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"plain entry",
       "[VERSIONS]\r\n   Version      = I,Type text,1A2B,1,05\r\n",
       {"I|Type text|1A2B|1|5"}},
      {"three pieces give 0.00", "[VERSIONS]\r\nVersion=I,Type,ABCD\r\n", {"I|Type|ABCD|0|0"}},
      {"a sixth piece is ignored",
       "[VERSIONS]\r\nVersion=A,T,1234,1,2,extra\r\n",
       {"A|T|1234|1|2"}},
      {"a comma in the type name shifts the checksum",
       "[VERSIONS]\r\nVersion=A,Kit, deluxe,1234,1,2\r\n",
       {"A|Kit| deluxe|1234|1"}},
      {"spaces next to commas stay in the texts",
       "[VERSIONS]\r\nVersion=A, T ,12ab, 3 , 4\r\n",
       {"A| T |12ab|3|4"}},
      {"any case of the key and header", "[versions]\r\nvErSiOn=A,T,C,1,2\r\n", {"A|T|C|1|2"}},
      {"other sections, other keys, lines before the header are ignored",
       "Version=X,before,0000,1,1\r\n[VERSIONS]\r\nOther=Y,T,1111,1,1\r\n"
       "Version=A,T,2222,1,1\r\n[MORE]\r\nVersion=Z,T,3333,1,1\r\n",
       {"A|T|2222|1|1"}},
      {"a header with trailing text is another section",
       "[VERSIONS] old\r\nVersion=A,T,C,1,2\r\n",
       {}},
      {"entries keep file order",
       "[VERSIONS]\r\nVersion=A,T,1,1,1\r\nVersion=I,U,2,2,2\r\n",
       {"A|T|1|1|1", "I|U|2|2|2"}},
      {"empty value", "[VERSIONS]\r\nVersion=\r\n", {"|||0|0"}},
  };
  for (const auto& c : cases) {
    WriteBytes(Path("PadFlasher.ver"), c.file);
    LoadVersions(Path("PadFlasher.ver"));
    EXPECT_EQ(Table(), c.expected) << c.name;
  }
}

TEST_F(VersionsTest, NumbersAreTheLeadingNumberRoundedHalfToEven) {
  struct Case {
    std::string piece;
    int16_t expected;
    bool clamped;
  };
  const std::vector<Case> cases = {
      {"12", 12, false},
      {"  7", 7, false},
      {"7x", 7, false},
      {"x7", 0, false},
      {"", 0, false},
      {"   ", 0, false},
      {"2.5", 2, false},
      {"3.5", 4, false},
      {"-2.5", -2, false},
      {"1.49", 1, false},
      {"0.5000001", 1, false},
      {".5", 0, false},
      {"5.", 5, false},
      {"+3", 3, false},
      {"-", 0, false},
      {"1e2", 100, false},
      {"1D2", 100, false},
      {"2e", 2, false},
      {"1e-400", 0, false},
      {"7 8", 7, false},
      {"32767.4", 32767, false},
      {"32767.5", 32767, true},
      {"40000", 32767, true},
      {"-40000", -32768, true},
      {"-32768", -32768, false},
      {"1e400", 32767, true},
      {"-1e400", -32768, true},
      {std::string(400, '9'), 32767, true},
      {"-" + std::string(400, '9'), -32768, true},
      {"0." + std::string(400, '0') + "1", 0, false},
      {"0." + std::string(400, '0') + "1e390", 0, false},
      {"0.0001e400", 32767, true},
      {"1000e-400", 0, false},
      {"1e99999999999999999999", 32767, true},
  };
  for (const auto& c : cases) {
    bool clamped = !c.clamped;
    EXPECT_EQ(ParseVersionNumber(c.piece, clamped), c.expected) << '"' << c.piece << '"';
    EXPECT_EQ(clamped, c.clamped) << '"' << c.piece << '"';
  }
}

TEST_F(VersionsTest, AnOutOfRangeNumberIsClampedWithAWarning) {
  OpenDebugLog();
  WriteBytes(Path("v.ver"), "[VERSIONS]\r\nVersion=A,T,C,70000,-99999\r\nVersion=A,T,D,1,2\r\n");
  LoadVersions(Path("v.ver"));
  EXPECT_EQ(Table(), std::vector<std::string>({"A|T|C|32767|-32768", "A|T|D|1|2"}));
  const std::string log = ReadBytes(Path("debugexe.txt"));
  EXPECT_NE(log.find("A,T,C,70000,-99999"), std::string::npos) << log;
  EXPECT_EQ(log.find("A,T,D,1,2"), std::string::npos) << log;
}

TEST_F(VersionsTest, AMissingFileEmptiesTheTable) {
  gVersions = {{"A", "T", "C", 1, 2}};
  LoadVersions(Path("absent.ver"));
  EXPECT_EQ(gVersionCount(), 0);
}

TEST_F(VersionsTest, SaveVersionsWritesTheFileByteForByte) {
  struct Case {
    const char* name;
    std::vector<VersionEntry> table;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"empty table", {}, "[VERSIONS]\r\n"},
      {"minor with two digits",
       {{"I", "Type text", "1A2B", 1, 5}, {"A", "T", "FFFF", 10, 12}},
       "[VERSIONS]\r\n   Version      = I,Type text,1A2B,1,05\r\n"
       "   Version      = A,T,FFFF,10,12\r\n"},
      {"negative numbers",
       {{"A", "T", "C", -3, -5}},
       "[VERSIONS]\r\n   Version      = A,T,C,-3,-05\r\n"},
      {"three-digit minor",
       {{"A", "T", "C", 0, 100}},
       "[VERSIONS]\r\n   Version      = A,T,C,0,100\r\n"},
  };
  for (const auto& c : cases) {
    gVersions = c.table;
    SaveVersions(Path("out.ver"));
    EXPECT_EQ(ReadBytes(Path("out.ver")), c.expected) << c.name;
  }
}

TEST_F(VersionsTest, ALowerCaseEntryIsFoundAndWrittenBackAsRead) {
  WriteBytes(Path("v.ver"), "[VERSIONS]\r\nVERSION = A,Type,abcd,2,7\r\n");
  LoadVersions(Path("v.ver"));
  const VersionEntry* found = FindVersion("ABCD");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(Describe(*found), "A|Type|abcd|2|7");
  SaveVersions(Path("v.ver"));
  EXPECT_EQ(ReadBytes(Path("v.ver")), "[VERSIONS]\r\n   Version      = A,Type,abcd,2,07\r\n");
}

TEST_F(VersionsTest, AFileRoundTripDropsOnlyWhatTheFormatCannotHold) {
  WriteBytes(Path("v.ver"),
             "[VERSIONS]\r\nVersion=A,T,1234,1,2,sixth\r\nVersion=I,U,5678,3,4.5\r\n");
  LoadVersions(Path("v.ver"));
  SaveVersions(Path("v.ver"));
  LoadVersions(Path("v.ver"));
  EXPECT_EQ(Table(), std::vector<std::string>({"A|T|1234|1|2", "I|U|5678|3|4"}));
}

TEST_F(VersionsTest, LookupIsCaseInsensitiveAndTheFirstMatchWins) {
  gVersions = {
      {"A", "First", "ab12", 1, 0}, {"A", "Second", "AB12", 2, 0}, {"I", "Other", "FFFF", 3, 0}};
  struct Case {
    std::string code;
    const char* typeName;
  };
  const std::vector<Case> cases = {
      {"AB12", "First"}, {"ab12", "First"},  {"aB12", "First"}, {"ffff", "Other"},
      {"AB1", nullptr},  {"AB123", nullptr}, {"", nullptr},
  };
  for (const auto& c : cases) {
    const VersionEntry* found = FindVersion(c.code);
    if (!c.typeName) {
      EXPECT_EQ(found, nullptr) << c.code;
    } else {
      ASSERT_NE(found, nullptr) << c.code;
      EXPECT_EQ(found->TypeName, c.typeName) << c.code;
    }
  }
}

TEST_F(VersionsTest, VersionTextShowsTheMinorWithTwoDigits) {
  EXPECT_EQ(VersionText(1, 5), "1.05");
  EXPECT_EQ(VersionText(2, 12), "2.12");
  EXPECT_EQ(VersionText(0, 0), "0.00");
  EXPECT_EQ(VersionText(3, 100), "3.100");
  EXPECT_EQ(VersionText(-1, -5), "-1.-05");
}
}  // namespace
