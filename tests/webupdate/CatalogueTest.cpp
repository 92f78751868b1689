// Reading the catalogue, merging the local files, sorting, and what a bad reply must not touch.
#include <QFile>

#include "WebFixture.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "startup/Versions.h"
#include "webupdate/Catalogue.h"

namespace {

const char kFiveLines[] =
    "@X1.bin,2007-05-01,262144,A,TypeA,1A2B,1,5\r\n"
    "First line\r\n"
    "\r\n"
    "@X0.bin,2006-01-01,262144,I,TypeA,0C0D,1,4\r\n"
    "More";

std::vector<std::string> Names(const std::vector<FirmwareEntry>& list) {
  std::vector<std::string> names;
  for (const auto& e : list) names.push_back(e.BaseName);
  return names;
}

TEST(ParseCatalogue, FiveLineExampleGivesOneImageAndTwoVersionRows) {
  ParsedCatalogue parsed = ParseCatalogue(kFiveLines);
  ASSERT_EQ(parsed.Lists.Firmware.size(), 1u);
  const FirmwareEntry& x1 = parsed.Lists.Firmware[0];
  EXPECT_EQ(x1.BaseName, "X1");
  EXPECT_EQ(x1.Extension, "bin");
  EXPECT_EQ(x1.Date, "2007-05-01");
  EXPECT_EQ(x1.Size, 262144);
  EXPECT_EQ(x1.Description, "First line\r\n\r\nMore\r\n");
  EXPECT_TRUE(x1.Online);
  EXPECT_FALSE(x1.Local);
  ASSERT_EQ(parsed.Versions.size(), 2u);
  EXPECT_EQ(parsed.Versions[0].Checksum, "1A2B");
  EXPECT_EQ(parsed.Versions[0].Status, "A");
  EXPECT_EQ(parsed.Versions[0].TypeName, "TypeA");
  EXPECT_EQ(parsed.Versions[0].Major, 1);
  EXPECT_EQ(parsed.Versions[0].Minor, 5);
  EXPECT_EQ(parsed.Versions[1].Checksum, "0C0D");
  EXPECT_EQ(parsed.Versions[1].Status, "I");
  EXPECT_EQ(parsed.Versions[1].Minor, 4);
}

TEST(ParseCatalogue, LinesAreClassifiedAsTheFormatSays) {
  struct Case {
    const char* what;
    std::string reply;
    std::vector<std::string> names;
    std::string lastDescription;
    size_t versions;
  } cases[] = {
      {"lower-case a is available", "@A1.bin,2007-01-01,1,a,T,0001,1,0", {"A1"}, "", 1},
      {"blank before A is not", "@A1.bin,2007-01-01,1, A,T,0001,1,0", {}, "", 1},
      {"description before any image is dropped", "early\r\n@A1.bin,d,1,A,T,1,1,1", {"A1"}, "", 1},
      {"final CR LF adds an empty line", "@A1.bin,d,1,A\r\nText\r\n", {"A1"}, "Text\r\n\r\n", 1},
      {"bare LF keeps it one line", "Text\n@A1.bin,d,1,A", {}, "", 0},
      {"spaces around a line are trimmed",
       "   @A1.bin,d,1,A   \r\n  Text  ",
       {"A1"},
       "Text\r\n",
       1},
      {"missing fields count as empty", "@A1.bin", {}, "", 1},
      {"slash in a name is skipped",
       "@../A1.bin,d,1,A\r\n@sub/B.bin,d,1,A\r\n@C\\D.bin,d,1,A",
       {},
       "",
       3},
      {"dot names are skipped", "@.,d,1,A\r\n@..,d,1,A\r\n@.bin,d,1,A", {}, "", 3},
      {"NUL in a name is skipped", std::string("@A\0B.bin,d,1,A", 14), {}, "", 1},
      // Only firmware reaches the disk, and never over the program's own files.
      {"upper-case BIN is firmware", "@A1.BIN,d,1,A", {"A1"}, "", 1},
      {"not an image", "@A1.exe,d,1,A\r\n@A2.txt,d,1,A\r\n@A3.binx,d,1,A", {}, "", 3},
      {"the settings file", "@PadFlasher.ini,d,1,A\r\n@padflasher.INI,d,1,A", {}, "", 2},
      {"the versions file", "@PADFLASHER.VER,d,1,A", {}, "", 1},
      {"a description over the debug log", "@DebugExe.bin,d,1,A", {}, "", 1},
      {"the help folder", "@PadFlasher.help,d,1,A", {}, "", 1},
      {"escape sequence", "@A\x1b[2J.bin,d,1,A\r\n@B\x7f.bin,d,1,A", {}, "", 2},
      {"a skipped entry takes its description along",
       "@A1.bin,d,1,A\r\nmine\r\n@PadFlasher.ver,d,1,A\r\nforged\r\n@Z.exe,d,1,A\r\nmore",
       {"A1"},
       "mine\r\n",
       3},
  };
  gBaseName = "PadFlasher";
  for (const auto& c : cases) {
    ParsedCatalogue parsed = ParseCatalogue(c.reply);
    EXPECT_EQ(Names(parsed.Lists.Firmware), c.names) << c.what;
    EXPECT_EQ(parsed.Versions.size(), c.versions) << c.what;
    if (!parsed.Lists.Firmware.empty()) {
      EXPECT_EQ(parsed.Lists.Firmware.back().Description, c.lastDescription) << c.what;
    }
  }
}

TEST(ParseCatalogue, ProgramLinesAndOptionalHashes) {
  gBaseName = "PadFlasher";
  const std::string hash(64, 'a');
  ParsedCatalogue parsed = ParseCatalogue(
      "$Tool.exe,1.2.3,150000\r\n"
      "$ Help.chm , 2007-06-01 , 12x\r\n"
      "$../evil.exe,9.9.9,1\r\n"
      "$Short\r\n"
      "$Hashed.dll,2007-01-01,5," +
      std::string(64, 'A') + "\r\n@F.bin,d,9,A,T,1,1,1," + hash +
      "\r\n@G.bin,d,9,A,T,1,1,1,xyz\r\n"
      // None of these is a program file: settings, versions, script, ports, firmware, F's
      // description, a control character.
      "$PadFlasher.INI,1,1\r\n$padflasher.ver,1,1\r\n$WebUpdate.sh,1,1\r\n$Ports,1,1\r\n"
      "$X.bin,1,1\r\n$f.TXT,1,1\r\n$Tool\x1b.exe,1,1");
  ASSERT_EQ(parsed.Lists.Programs.size(), 4u);
  const ProgramFileEntry& tool = parsed.Lists.Programs[0];
  EXPECT_EQ(tool.FileName, "Tool.exe");
  EXPECT_EQ(tool.PendingName, "$Tool.exe");
  EXPECT_EQ(tool.Version, "1.2.3");
  EXPECT_EQ(tool.Size, 150000);
  EXPECT_FALSE(tool.Newer);
  EXPECT_EQ(parsed.Lists.Programs[1].FileName, "Help.chm");
  EXPECT_EQ(parsed.Lists.Programs[1].Version, "2007-06-01");
  EXPECT_EQ(parsed.Lists.Programs[1].Size, 12);
  EXPECT_EQ(parsed.Lists.Programs[2].FileName, "Short");
  EXPECT_EQ(parsed.Lists.Programs[2].Size, 0);
  EXPECT_EQ(parsed.Lists.Programs[3].Sha256, hash);
  ASSERT_EQ(parsed.Lists.Firmware.size(), 2u);
  EXPECT_EQ(parsed.Lists.Firmware[0].Sha256, hash);
  EXPECT_EQ(parsed.Lists.Firmware[1].Sha256, "");  // malformed: ignored
}

TEST(ParseCatalogue, NumbersAreLeadingAndRoundHalfToEven) {
  ParsedCatalogue parsed =
      ParseCatalogue("@A.bin,d, 2.5kB,A,T,1, 2.5 ,3.5\r\n@B.bin,d,x,A,T,2,99999,-99999");
  ASSERT_EQ(parsed.Versions.size(), 2u);
  EXPECT_EQ(parsed.Lists.Firmware[0].Size, 2);
  EXPECT_EQ(parsed.Versions[0].Major, 2);
  EXPECT_EQ(parsed.Versions[0].Minor, 4);
  EXPECT_EQ(parsed.Lists.Firmware[1].Size, 0);
  EXPECT_EQ(parsed.Versions[1].Major, 32767);
  EXPECT_EQ(parsed.Versions[1].Minor, -32768);
}

TEST(ParseCatalogue, KnowsWhetherTheReplyIsACatalogue) {
  EXPECT_FALSE(ParseCatalogue("").HasEntries);
  EXPECT_FALSE(ParseCatalogue("<html><body>Welcome</body></html>").HasEntries);
  EXPECT_TRUE(ParseCatalogue("$Tool.exe,1.0.0,1").HasEntries);
  EXPECT_TRUE(ParseCatalogue("@A.bin,d,1,I").HasEntries);
}

TEST(SortFirmwareList, SortsByCharacterCode) {
  auto entry = [](const std::string& name, const std::string& date = "") {
    FirmwareEntry e;
    e.BaseName = name;
    e.Date = date;
    return e;
  };
  std::vector<FirmwareEntry> list = {entry("b"), entry("A"), entry("a")};
  SortFirmwareList(list);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"A", "a", "b"}));

  list = {entry("X", "1"), entry("B"), entry("X", "2"), entry("C"), entry("A")};
  SortFirmwareList(list);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"A", "B", "C", "X", "X"}));
  EXPECT_EQ(list[3].Date, "1");
  EXPECT_EQ(list[4].Date, "2");

  std::vector<FirmwareEntry> empty;
  SortFirmwareList(empty);
  EXPECT_TRUE(empty.empty());
}

class LocalFilesTest : public WebFixture {};

TEST_F(LocalFilesTest, LocalImagesMergeIgnoringCase) {
  ProgramFileBytes("B.BIN", "bb");
  ProgramFileBytes("c.Bin", "ccc");
  ProgramFileBytes("c.txt", "one\r\ntwo\nthree\rcaf\xE9");
  ProgramFileBytes("notes.binx", "n");
  ProgramFileBytes("b.txt", "local text of b");
  SetDate("c.Bin", "2006-03-04");
  std::vector<FirmwareEntry> list =
      ParseCatalogue("@b.bin,2007-01-01,9,A\r\nsite text").Lists.Firmware;
  LoadLocalFiles(list, gProgramFolder);
  ASSERT_EQ(Names(list), (std::vector<std::string>{"b", "c"}));
  EXPECT_TRUE(list[0].Local);
  EXPECT_TRUE(list[0].Online);
  EXPECT_EQ(list[0].Description, "site text\r\n");
  EXPECT_EQ(list[0].Date, "2007-01-01");
  EXPECT_TRUE(list[1].Local);
  EXPECT_FALSE(list[1].Online);
  EXPECT_EQ(list[1].Date, "2006-03-04");
  EXPECT_EQ(list[1].Size, 3);
  EXPECT_EQ(list[1].Description, "one\r\ntwo\r\nthree\r\ncaf\xE9\r\n") << "bytes kept, CR LF ends";
}

TEST_F(LocalFilesTest, NamesThatWouldLeaveTheFolderAreLogged) {
  const QByteArray log = LogWhile([] {
    ParseCatalogue("@../up.bin,d,1,A\r\n$sub/tool.exe,1.0.0,1\r\n@ok.bin,d,1,A\r\n$Ok.exe,1.0.0,1");
  });
  EXPECT_TRUE(log.contains("../up.bin")) << log.toStdString();
  EXPECT_TRUE(log.contains("sub/tool.exe")) << log.toStdString();
  EXPECT_FALSE(log.contains("ok.bin")) << log.toStdString();
  EXPECT_FALSE(log.contains("Ok.exe")) << log.toStdString();
}

class LoadCatalogueTest : public WebFixture {
 protected:
  void SetUp() override {
    WebFixture::SetUp();
    gVersions = {{"A", "Old", "BEEF", 1, 2}};
    SaveVersions(VersionsFileName());
    before_ = ProgramRead("PadFlasher.ver");
    ASSERT_FALSE(before_.isEmpty());
  }
  void ExpectVersionsUntouched(const char* what) {
    EXPECT_EQ(ProgramRead("PadFlasher.ver"), before_) << what;
    ASSERT_EQ(gVersions.size(), 1u) << what;
    EXPECT_EQ(gVersions[0].Checksum, "BEEF") << what;
  }
  QByteArray before_;
};

TEST_F(LoadCatalogueTest, AGoodCatalogueReplacesTableAndFile) {
  SiteFile("catalogue.txt", kFiveLines);
  WebLists lists;
  EXPECT_EQ(LoadCatalogue(lists, host_, nullptr), CatalogueResult::Loaded);
  EXPECT_EQ(Names(lists.Firmware), std::vector<std::string>{"X1"});
  ASSERT_EQ(gVersions.size(), 2u);
  EXPECT_NE(ProgramRead("PadFlasher.ver"), before_);
  LoadVersions(VersionsFileName());
  ASSERT_EQ(gVersions.size(), 2u);
  EXPECT_EQ(gVersions[1].Checksum, "0C0D");
  EXPECT_EQ(site_->Requests().back().Target, "/updates/catalogue.txt");
}

TEST_F(LoadCatalogueTest, TheMostRowsACatalogueMayBringAreWrittenAndReadBack) {
  SiteFile("catalogue.txt",
           QByteArray("@HC.bin,2026-01-01,1,I,A type name of some length,FFFF,1,0\r\n")
               .repeated(static_cast<qsizetype>(kMaxCatalogueRows)));
  WebLists lists;
  EXPECT_EQ(LoadCatalogue(lists, host_, nullptr), CatalogueResult::Loaded);
  LoadVersions(VersionsFileName());
  EXPECT_EQ(gVersions.size(), kMaxCatalogueRows);
}

TEST_F(LoadCatalogueTest, ABadReplyLeavesTableAndFileAsTheyWere) {
  struct Case {
    const char* what;
    QByteArray body;
    SiteFault fault;
    CatalogueResult result;
  } cases[] = {
      {"empty catalogue", "", SiteFault::None, CatalogueResult::Failed},
      {"not a catalogue", "Welcome to our site\r\nNothing here", SiteFault::None,
       CatalogueResult::NotCatalogue},
      {"404 page", kFiveLines, SiteFault::NotFound, CatalogueResult::Failed},
      {"500 page", kFiveLines, SiteFault::ServerError, CatalogueResult::Failed},
      {"unauthorised page", kFiveLines, SiteFault::Unauthorised, CatalogueResult::Failed},
      {"cut short", kFiveLines, SiteFault::Truncated, CatalogueResult::Failed},
      {"dropped", kFiveLines, SiteFault::CloseEarly, CatalogueResult::Failed},
      // Each bare "@" is a row of the versions file: more than the file may hold is refused.
      {"40000 bare rows", QByteArray("@\r\n").repeated(40000), SiteFault::None,
       CatalogueResult::TooManyRows},
  };
  for (const auto& c : cases) {
    SiteFile("catalogue.txt", c.body);
    site_->SetFault(c.fault);
    WebLists lists;
    lists.Firmware.resize(3);
    EXPECT_EQ(LoadCatalogue(lists, host_, nullptr), c.result) << c.what;
    EXPECT_TRUE(lists.Firmware.empty() && lists.Programs.empty()) << c.what;
    ExpectVersionsUntouched(c.what);
  }
  DomainName.clear();
  WebLists lists;
  EXPECT_EQ(LoadCatalogue(lists, host_, nullptr), CatalogueResult::Unreachable);
  ExpectVersionsUntouched("no host");
}

}  // namespace
