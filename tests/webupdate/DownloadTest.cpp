// Firmware downloads into the program folder and their removal.
#include <QFile>

#include <filesystem>
#include <fstream>

#include "WebFixture.h"
#include "startup/Startup.h"
#include "webupdate/Catalogue.h"
#include "webupdate/Download.h"

namespace {

class DownloadTest : public WebFixture {
 protected:
  FirmwareEntry X1(const std::string& sha256 = "") {
    FirmwareEntry e;
    e.BaseName = "X1";
    e.Extension = "bin";
    e.Date = "2007-05-01";
    e.Size = 262144;
    e.Description = "First line\r\n\r\nMore\r\n";
    e.Online = true;
    e.Sha256 = sha256;
    return e;
  }
};

TEST_F(DownloadTest, ImageAndDescriptionArriveWithTheCataloguesDate) {
  SiteFile("X1.bin", Image('1'));
  FirmwareEntry entry = X1();
  entry.Description += "Caf\xE9\r\n";  // a site's Latin-1 line
  std::vector<std::pair<int, int>> progress;
  DownloadOutcome outcome = DownloadFirmware(
      entry, host_, [&](int bytes, int32_t size) { progress.emplace_back(bytes, size); });
  EXPECT_TRUE(outcome.Saved);
  EXPECT_TRUE(entry.Local);
  EXPECT_EQ(ProgramRead("X1.bin"), Image('1'));
  EXPECT_EQ(ProgramRead("X1.txt"), "First line\r\n\r\nMore\r\nCaf\xE9\r\n")
      << "bytes as the site sent them";
  EXPECT_EQ(WrittenAt("X1.bin"), "2007-05-01 00:00");
  EXPECT_EQ(WrittenAt("X1.txt"), "2007-05-01 00:00");
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), std::make_pair(262144, 262144));
  EXPECT_EQ(site_->Requests().back().Target, "/updates/X1.bin");
  // The next opening of the window finds it again with that date.
  std::vector<FirmwareEntry> local;
  LoadLocalFiles(local, gProgramFolder);
  ASSERT_EQ(local.size(), 1u);
  EXPECT_EQ(local[0].Date, "2007-05-01");
}

TEST_F(DownloadTest, ADescriptionWithoutItsImageIsTheUsersAndIsKept) {
  SiteFile("X1.bin", Image('1'));
  for (const char* name : {"X1.txt", "x1.TXT"}) {
    ProgramFileBytes(name, "my notes");
    const size_t requests = site_->Requests().size();
    FirmwareEntry entry = X1();
    DownloadOutcome outcome = DownloadFirmware(entry, host_, nullptr);
    EXPECT_FALSE(outcome.Saved) << name;
    EXPECT_EQ(outcome.Reason, InProgram(name) +
                                  " is there without an image beside it and is kept; move or "
                                  "rename it to download this firmware")
        << name;
    EXPECT_EQ(ProgramRead(name), "my notes") << name;
    EXPECT_FALSE(ProgramHas("X1.bin")) << name;
    EXPECT_EQ(site_->Requests().size(), requests) << name << ": nothing fetched";
    QFile::remove(QString::fromStdString(InProgram(name)));
  }
}

TEST_F(DownloadTest, NothingUsableReceivedWritesNothing) {
  SiteFile("X1.bin", Image('1'));
  ProgramFileBytes("X1.txt", "old description");
  struct Case {
    const char* what;
    SiteFault fault;
    std::string sha256;
  } cases[] = {
      {"404 page", SiteFault::NotFound, ""},
      {"500 page", SiteFault::ServerError, ""},
      {"cut short", SiteFault::Truncated, ""},
      {"dropped", SiteFault::CloseEarly, ""},
      {"hash differs", SiteFault::None, std::string(64, '0')},
  };
  for (const auto& c : cases) {
    site_->SetFault(c.fault);
    FirmwareEntry entry = X1(c.sha256);
    DownloadOutcome outcome = DownloadFirmware(entry, host_, nullptr);
    EXPECT_FALSE(outcome.Saved) << c.what;
    EXPECT_FALSE(outcome.Reason.empty()) << c.what;
    EXPECT_FALSE(entry.Local) << c.what;
    EXPECT_FALSE(ProgramHas("X1.bin")) << c.what;
    EXPECT_EQ(ProgramRead("X1.txt"), "old description") << c.what;
  }
}

TEST_F(DownloadTest, MatchingHashIsSaved) {
  SiteFile("X1.bin", Image('h'));
  FirmwareEntry entry = X1(Sha256Hex(Image('h').toStdString()));
  EXPECT_TRUE(DownloadFirmware(entry, host_, nullptr).Saved);
  EXPECT_EQ(ProgramRead("X1.bin"), Image('h'));
}

TEST_F(DownloadTest, ANameThatLeavesTheFolderIsNeverFetched) {
  FirmwareEntry entry = X1();
  entry.BaseName = "../X1";
  EXPECT_FALSE(DownloadFirmware(entry, host_, nullptr).Saved);
  EXPECT_TRUE(site_->Requests().empty());
}

TEST_F(DownloadTest, RemovalFindsFilesWhateverTheirCase) {
  struct Case {
    const char* what;
    std::string image, description;
    bool online;
    size_t left;
  } cases[] = {
      {"upper image, lower text", "X1.BIN", "X1.txt", true, 1},
      {"lower image, upper text", "x1.bin", "X1.TXT", false, 0},
      {"mixed", "X1.Bin", "x1.Txt", false, 0},
  };
  for (const auto& c : cases) {
    ProgramFileBytes(c.image, "i");
    ProgramFileBytes(c.description, "d");
    ProgramFileBytes("other.bin", "keep");
    std::vector<FirmwareEntry> list = {X1()};
    list[0].Local = true;
    list[0].Online = c.online;
    RemoveFailure failure;
    EXPECT_TRUE(RemoveFirmware(list, 0, failure)) << c.what;
    EXPECT_EQ(failure.file, "") << c.what;
    EXPECT_FALSE(ProgramHas(c.image)) << c.what;
    EXPECT_FALSE(ProgramHas(c.description)) << c.what;
    EXPECT_TRUE(ProgramHas("other.bin")) << c.what;
    ASSERT_EQ(list.size(), c.left) << c.what;
    if (c.left) {
      EXPECT_FALSE(list[0].Local) << c.what;
    }
  }
}

TEST_F(DownloadTest, ALocalFileWhoseNameIsNotUtf8IsListedAndRemoved) {
  // Latin-1 "é": Qt's own listing would leave the pair out, and could not name it to delete.
  const std::string image = InProgram("caf\xE9.bin"), text = InProgram("caf\xE9.txt");
  std::ofstream(image, std::ios::binary) << "image";
  std::ofstream(text, std::ios::binary) << "old notes";
  std::vector<FirmwareEntry> list;
  LoadLocalFiles(list, gProgramFolder);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].BaseName, "caf\xE9");
  EXPECT_EQ(list[0].Size, 5);
  EXPECT_EQ(list[0].Description, "old notes\r\n");
  RemoveFailure failure;
  EXPECT_TRUE(RemoveFirmware(list, 0, failure));
  EXPECT_FALSE(std::filesystem::exists(image));
  EXPECT_FALSE(std::filesystem::exists(text));
}

TEST_F(DownloadTest, RemovalWithoutAnImageChangesNothing) {
  ProgramFileBytes("X1.txt", "d");
  std::vector<FirmwareEntry> list = {X1()};
  list[0].Local = true;
  list[0].Online = false;
  RemoveFailure failure;
  EXPECT_FALSE(RemoveFirmware(list, 0, failure));
  EXPECT_EQ(failure.file, "") << "a file that is not there is no failure to report";
  EXPECT_TRUE(ProgramHas("X1.txt"));
  EXPECT_EQ(list.size(), 1u);
  EXPECT_TRUE(list[0].Local);
}

TEST_F(DownloadTest, TouchSetsLocalMidnightAndRefusesWhatItCannot) {
  ProgramFileBytes("t.bin", "t");
  EXPECT_TRUE(Touch(InProgram("t.bin"), "2001-02-03"));
  EXPECT_EQ(WrittenAt("t.bin"), "2001-02-03 00:00");
  EXPECT_FALSE(Touch(InProgram("t.bin"), "2001-13-40"));
  EXPECT_FALSE(Touch(InProgram("missing.bin"), "2001-02-03"));
  EXPECT_FALSE(ProgramHas("missing.bin"));
  EXPECT_EQ(WrittenAt("t.bin"), "2001-02-03 00:00");
}

}  // namespace
