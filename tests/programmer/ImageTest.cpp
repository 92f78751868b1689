#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <algorithm>
#include <vector>

#include "TempFolder.h"
#include "TestImage.h"
#include "programmer/Image.h"
#include "programmer/Link.h"

namespace {
// A test image with data in every block (no two alike), cut or padded to size, with the two
// signature bytes given.
std::string MakeImage(size_t size, uint8_t atFFE0, uint8_t atFFE1) {
  std::string bytes = *testimage::MakeImage({{0, testimage::kBlockCount - 1}});
  bytes.resize(size, '\xFF');
  if (size > 0xFFE1) {
    bytes[0xFFE0] = static_cast<char>(atFFE0);
    bytes[0xFFE1] = static_cast<char>(atFFE1);
  }
  return bytes;
}

std::string ImageBytes() {
  return std::string(gImage.begin(), gImage.end());
}

class ImageTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    gImage.fill(0x11);
  }
};

TEST_F(ImageTest, ResultCodesFollowSizeAndSignature) {
  struct Case {
    const char* name;
    std::string file;  // empty: no file at the path
    ImageLoadResult code;
    bool replaces;
  };
  const std::vector<Case> cases = {
      {"valid image", MakeImage(262144, 0x55, 0xAA), ImageLoadResult::Loaded, true},
      {"signature bytes swapped", MakeImage(262144, 0xAA, 0x55), ImageLoadResult::Invalid, true},
      {"no signature", MakeImage(262144, 0xFF, 0xFF), ImageLoadResult::Invalid, true},
      {"one byte short", MakeImage(262143, 0x55, 0xAA), ImageLoadResult::WrongSize, false},
      {"one byte long", MakeImage(262145, 0x55, 0xAA), ImageLoadResult::WrongSize, false},
      {"empty file", std::string(), ImageLoadResult::WrongSize, false},
      {"missing file", std::string(), ImageLoadResult::NotFound, false},
  };
  for (const auto& c : cases) {
    gImage.fill(0x11);
    const std::string before = ImageBytes();
    const std::string path = Path("fw.bin");
    QFile::remove(QString::fromStdString(path));
    if (c.code != ImageLoadResult::NotFound) WriteBytes(path, c.file);
    EXPECT_EQ(LoadFirmwareFile(path), c.code) << c.name;
    EXPECT_EQ(ImageBytes(), c.replaces ? c.file : before) << c.name;
  }
}

TEST_F(ImageTest, SomethingThatIsNoPlainFileIsReportedAsWhatItIs) {
  // Code 2 for the caller, but never "not found" nor "wrong size", and a FIFO never blocks.
  ASSERT_TRUE(QDir(QString::fromStdString(Folder())).mkdir("folder.bin"));
  ASSERT_EQ(mkfifo(Path("fifo.bin").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", Path("zero.bin").c_str()), 0);
  struct Case {
    const char* name;
    ImageReadProblem problem;
    std::string reason;
  } cases[] = {
      {"folder.bin", ImageReadProblem::NotRegular, "is a folder"},
      {"fifo.bin", ImageReadProblem::NotRegular, "is not a regular file"},
      {"zero.bin", ImageReadProblem::NotRegular, "is not a regular file"},
  };
  gImage.fill(0x11);
  const std::string before = ImageBytes();
  for (const auto& c : cases) {
    EXPECT_EQ(LoadFirmwareFile(Path(c.name)), ImageLoadResult::WrongSize) << c.name;
    EXPECT_EQ(LastImageReadProblem(), c.problem) << c.name;
    EXPECT_EQ(LastImageReadReason(), c.reason) << c.name;
  }
  EXPECT_EQ(ImageBytes(), before);
  // A wrong size is still a wrong size.
  WriteBytes(Path("short.bin"), "abc");
  EXPECT_EQ(LoadFirmwareFile(Path("short.bin")), ImageLoadResult::WrongSize);
  EXPECT_EQ(LastImageReadProblem(), ImageReadProblem::None);
}

TEST_F(ImageTest, BlanknessIsPerBlockInBankAndBlockCoordinates) {
  std::string file(262144, '\xff');
  file[0xFFE0] = 0x55;  // bank 0, block 255
  file[0xFFE1] = static_cast<char>(0xAA);
  file[131072 + 7 * 256 + 255] = 0x00;     // bank 1, block 7, byte 255 only
  file[262143] = static_cast<char>(0xFE);  // bank 1, block 511, last byte
  WriteBytes(Path("fw.bin"), file);
  ASSERT_EQ(LoadFirmwareFile(Path("fw.bin")), ImageLoadResult::Loaded);

  struct Case {
    int bank, block;
    bool blank;
  };
  const std::vector<Case> cases = {
      {0, 0, true},  {0, 255, false}, {0, 256, true},  {1, 6, true},   {1, 7, false},
      {1, 8, true},  {0, 7, true},    {1, 511, false}, {1, 510, true}, {0, 511, true},
      {2, 0, false}, {-1, 0, false},  {0, 512, false}, {0, -1, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsBlockBlank(c.bank, c.block), c.blank) << c.bank << "/" << c.block;
  EXPECT_EQ(ImageOffset(1, 7, 255), 131072 + 7 * 256 + 255);
  EXPECT_EQ(ImageOffset(1, 511, 255), kImageSize - 1);
}

// The images every test, the demo and the scripts use are what this reader takes: valid, with
// the code where the file's version is read and data exactly in the blocks asked for.
TEST_F(ImageTest, TheTestImageMakerWritesWhatTheReaderReadsBack) {
  struct Case {
    std::vector<testimage::BlockRange> filled;
    uint16_t code;
    uint32_t seed;
    std::string hex;
  };
  const std::vector<Case> cases = {
      {{{0, 15}, {512, 515}}, 0x2B1C, 200, "2B1C"},
      {{{3, 3}, {900, 1023}}, 0x00AB, 0, "00AB"},
      {testimage::Runs(2, 30), 0xE301, 0xE301, "E301"},
  };
  for (const auto& c : cases) {
    const auto image = testimage::MakeImage(c.filled, c.code, c.seed);
    ASSERT_TRUE(image) << c.hex;
    WriteBytes(Path("made.bin"), *image);
    ASSERT_EQ(static_cast<int>(LoadFirmwareFile(Path("made.bin"))), 0) << c.hex;
    std::string type;
    int16_t major = 0, minor = 0;
    GetFileVersion(type, major, minor);
    EXPECT_EQ(gFileChecksum, c.hex);
    for (int block = 0; block < testimage::kBlockCount; ++block) {
      bool filled = block == 0xFFE0 / kBlockSize;  // the signature's and the code's block
      for (const auto& range : c.filled) filled |= range.First <= block && block <= range.Last;
      EXPECT_EQ(IsBlockBlank(block / 512, block % 512), !filled) << c.hex << " block " << block;
    }
  }
  // A range outside the image makes no image at all.
  EXPECT_FALSE(testimage::MakeImage({{1000, 1024}}));
  EXPECT_FALSE(testimage::MakeImage({{9, 8}}));
}
}  // namespace
