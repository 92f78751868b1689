// The whole road over a real pseudo-terminal: open by COM name, program, verify, and a hand
// control that goes away in the middle.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <random>

#include "HcsimProcess.h"
#include "ScriptedHost.h"
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "programmer/QtClock.h"
#include "programmer/QtSerialPort.h"
#include "startup/Settings.h"
#include "startup/Startup.h"

namespace {

// Random contents with blank blocks here and there, so that runs of every length occur.
void RandomImage(unsigned seed) {
  std::mt19937 rng(seed);
  for (auto& byte : gImage) byte = static_cast<uint8_t>(rng());
  for (int bank = 0; bank < 2; ++bank) {
    for (int block = 0; block < kBlocksPerBank; ++block) {
      if (rng() % 7 == 0) {
        std::fill_n(gImage.begin() + ImageOffset(bank, block), kBlockSize, uint8_t{0xFF});
      }
    }
  }
}

bool InWrittenRange(int block) {
  return block < 256 || block >= 384;
}

class ProgramOverPtyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(QDir(dir_.path()).mkpath("ports"));
    savedFolder_ = gProgramFolder;
    savedBase_ = gBaseName;
    savedPort_ = gComPort;
    SetProgramPaths(dir_.path().toStdString(), "PadFlasher");
    gComPort = "COM3";
    flash_ = dir_.filePath("flash.bin");
    SetLinkServices(&port_, &clock_, &host_);
  }

  void TearDown() override {
    CloseComPort();
    SetLinkServices(nullptr, nullptr, nullptr);
    SetProgramPaths(savedFolder_, savedBase_);
    gComPort = savedPort_;
    gProgramming = gVerifying = gCancelProgramming = gCancelVerify = false;
  }

  void StartSim(const QStringList& extra = {}) {
    ASSERT_TRUE(sim_.Start(dir_.filePath("ports/COM3"),
                           QStringList{"--baud", "0", "--flash", flash_} + extra))
        << sim_.ErrorOutput();
  }

  QTemporaryDir dir_;
  QString flash_;
  std::string savedFolder_, savedBase_, savedPort_;
  HcsimProcess sim_;
  QtSerialPort port_;
  QtClock clock_;
  ScriptedHost host_;
};

TEST_F(ProgramOverPtyTest, ProgramsAndFullyVerifiesARandomImage) {
  RandomImage(42);
  StartSim();
  ASSERT_TRUE(OpenComPort()) << port_.LastError();
  gProgramming = true;
  EXPECT_TRUE(ProgramHandControl()) << testing::PrintToString(host_.Texts());
  gProgramming = false;
  gVerifying = true;
  EXPECT_TRUE(FullVerify()) << testing::PrintToString(host_.Texts());
  EXPECT_TRUE(host_.messages.empty()) << testing::PrintToString(host_.Texts());
  ASSERT_FALSE(host_.labels.empty());
  EXPECT_EQ(host_.labels.back(), "Verifying Hand Control : 100%");

  // The hand control now reports the image's code.
  std::string type;
  int16_t major = 0, minor = 0;
  QueryHandControlVersion(type, major, minor);
  EXPECT_EQ(gHcChecksum, HexPad(gImage[0xFFFF] << 8 | gImage[0xFFFE], 4));

  CloseComPort();
  ASSERT_EQ(sim_.Stop(), 0) << sim_.ErrorOutput();
  QFile file(flash_);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray flash = file.readAll();
  ASSERT_EQ(flash.size(), kImageSize);
  for (int bank = 0; bank < 2; ++bank) {
    for (int block = 0; block < kBlocksPerBank; ++block) {
      const int offset = ImageOffset(bank, block);
      const auto* expected = InWrittenRange(block) ? &gImage[offset] : nullptr;
      for (int i = 0; i < kBlockSize; ++i) {
        const uint8_t want = expected ? expected[i] : 0xFF;
        ASSERT_EQ(static_cast<uint8_t>(flash[offset + i]), want)
            << "bank " << bank << " block " << block << " byte " << i;
      }
    }
  }
}

TEST_F(ProgramOverPtyTest, UnplugDuringProgrammingFailsCleanly) {
  RandomImage(7);
  StartSim({"--fault", "disconnect=100000"});
  ASSERT_TRUE(OpenComPort());
  gProgramming = true;
  EXPECT_FALSE(ProgramHandControl());
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_EQ(port_.LastError(), "device unplugged");
  // The user is told, and nothing is asked twice.
  EXPECT_FALSE(host_.messages.empty());
  EXPECT_EQ(host_.unexpected, 0) << testing::PrintToString(host_.Texts());
  // The simulator went away as a device does, leaving no link behind.
  EXPECT_EQ(sim_.WaitForExit(), 0);
  EXPECT_FALSE(QFileInfo::exists(dir_.filePath("ports/COM3")));
  EXPECT_FALSE(ComPortExists("COM3"));
}

TEST_F(ProgramOverPtyTest, PulledCableDuringFullVerifyEndsIt) {
  RandomImage(9);
  StartSim();
  ASSERT_TRUE(OpenComPort());
  gProgramming = true;
  ASSERT_TRUE(ProgramHandControl());
  gProgramming = false;
  // Pull the cable a little way into the verification.
  int breaths = 0;
  host_.onBreathe = [&] {
    if (++breaths == 3000) sim_.Kill();
  };
  gVerifying = true;
  EXPECT_FALSE(FullVerify());
  EXPECT_FALSE(sim_.Running());
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_EQ(port_.LastError(), "device unplugged");
  ASSERT_FALSE(host_.labels.empty());
  EXPECT_NE(host_.labels.back(), "Verifying Hand Control : 100%");
}

}  // namespace
