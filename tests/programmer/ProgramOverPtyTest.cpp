// The whole road over a real pseudo-terminal: open by COM name, program, verify, and a hand
// control that goes away in the middle.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

#include "HcsimProcess.h"
#include "LinkState.h"
#include "ProgramState.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "programmer/OperationScope.h"
#include "programmer/QtClock.h"
#include "programmer/QtSerialPort.h"
#include "programmer/SerialPortPosix.h"
#include "startup/Settings.h"
#include "startup/Startup.h"

namespace {

// Data in about six of every seven blocks, the blank ones picked by the seed, so that runs of
// every length occur.
void RandomImage(uint32_t seed) {
  std::vector<testimage::BlockRange> filled;
  for (int block = 0; block < testimage::kBlockCount; ++block) {
    if (testimage::DataByte(seed, block) % 7 != 0) filled.push_back({block, block});
  }
  UseImage(filled, seed);
}

class ProgramOverPtyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(QDir(dir_.path()).mkpath("ports"));
    SetProgramPaths(dir_.path().toStdString(), "PadFlasher");
    gComPort = "COM3";
    flash_ = dir_.filePath("flash.bin");
    port_.SetLineBaud(0);  // the simulator is unpaced
    SetLinkServices(&port_, &clock_, &host_);
  }

  void TearDown() override {
    CloseComPort();
    ResetLinkState();
  }

  void StartSim(const QStringList& extra = {}) {
    ASSERT_TRUE(sim_.Start(dir_.filePath("ports/COM3"),
                           QStringList{"--baud", "0", "--flash", flash_} + extra))
        << sim_.ErrorOutput();
  }

  QTemporaryDir dir_;
  QString flash_;
  SavedProgramState saved_;
  HcsimProcess sim_;
  QtSerialPort port_;
  QtClock clock_;
  ScriptedHost host_;
};

// The command line's port, which blocks in the device, held to the hand control's line.
class DirectPortTest : public ProgramOverPtyTest {
 protected:
  void SetUp() override {
    ProgramOverPtyTest::SetUp();
    SetLinkServices(&direct_, &clock_, &host_);
  }
  void TearDown() override {
    ProgramOverPtyTest::TearDown();
    direct_.Close();
  }
  PosixSerialPort direct_;
};

TEST_F(ProgramOverPtyTest, ProgramsAndFullyVerifiesARandomImage) {
  RandomImage(42);
  StartSim();
  ASSERT_TRUE(OpenComPort()) << port_.LastError();
  {
    OperationScope run(Operation::Programming);
    EXPECT_TRUE(ProgramHandControl()) << testing::PrintToString(host_.Texts());
  }
  OperationScope run(Operation::Verifying);
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
      const auto* expected = testimage::InWrittenRange(offset) ? &gImage[offset] : nullptr;
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
  OperationScope run(Operation::Programming);
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
  {
    OperationScope run(Operation::Programming);
    ASSERT_TRUE(ProgramHandControl());
  }
  // Pull the cable a little way into the verification (ten percent steps in).
  const size_t labelsBefore = host_.labels.size();
  bool pulled = false;
  host_.onBreathe = [&] {
    if (!pulled && host_.labels.size() >= labelsBefore + 10) {
      pulled = true;
      sim_.Kill();
    }
  };
  OperationScope run(Operation::Verifying);
  EXPECT_FALSE(FullVerify());
  EXPECT_FALSE(sim_.Running());
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_EQ(port_.LastError(), "device unplugged");
  ASSERT_FALSE(host_.labels.empty());
  EXPECT_NE(host_.labels.back(), "Verifying Hand Control : 100%");
}

// The program stays running while the simulator behind its COM name is replaced.
TEST_F(ProgramOverPtyTest, ARestartedSimulatorOnTheSameLinkIsServed) {
  struct Case {
    const char* name;
    bool portOpenWhileReplaced;
    bool killed;          // SIGKILL leaves the old link behind; SIGTERM removes it
    bool newStartsFirst;  // the new one takes the link over before the old one ends
  };
  const Case cases[] = {
      {"closed port, clean stop", false, false, false},
      {"closed port, killed", false, true, false},
      {"open port, killed", true, true, false},
      {"open port, clean stop", true, false, false},
      {"new one first, then the old one stops", false, false, true},
  };
  // The firmware query reaches the simulator and its answer comes back (erased flash: FFFF).
  const auto AnswersQuery = [] {
    std::string type;
    int16_t major = 0, minor = 0;
    gHcChecksum.clear();
    QueryHandControlVersion(type, major, minor);
    return gHcChecksum == "FFFF";
  };
  const QString link = dir_.filePath("ports/COM3");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto old = std::make_unique<HcsimProcess>();
    ASSERT_TRUE(old->Start(link, {"--baud", "0"})) << old->ErrorOutput();
    ASSERT_TRUE(OpenComPort());
    ASSERT_TRUE(AnswersQuery());
    if (!c.portOpenWhileReplaced) CloseComPort();
    HcsimProcess fresh;
    if (c.newStartsFirst) {
      ASSERT_TRUE(fresh.Start(link, {"--baud", "0"}));
    }
    if (c.killed) {
      old->Kill();
    } else {
      EXPECT_EQ(old->Stop(), 0);
    }
    if (!c.newStartsFirst) {
      ASSERT_TRUE(fresh.Start(link, {"--baud", "0"}));
    }
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), fresh.PtyPath());

    // Opening again reaches the new simulator, and it hears the commands.
    ASSERT_TRUE(OpenComPort()) << port_.LastError() << " " << fresh.ErrorOutput();
    EXPECT_TRUE(AnswersQuery());
    CloseComPort();
    EXPECT_EQ(fresh.Stop(), 0);
  }
  EXPECT_EQ(host_.unexpected, 0) << testing::PrintToString(host_.Texts());
}

// A port that cannot be opened leaves exactly one line in the debug log, naming the device and
// the reason.
TEST_F(ProgramOverPtyTest, FailedOpenIsLoggedOnce) {
  const QString link = dir_.filePath("ports/COM3");
  ASSERT_TRUE(QFile::link(dir_.filePath("gone"), link));
  QByteArray logged;
  {
    CapturedLog log(dir_.path());
    EXPECT_FALSE(OpenComPort());
    logged = log.Bytes();
  }
  EXPECT_EQ(host_.Texts(), std::vector<std::string>{"Error Opening COM Port"});

  const QStringList lines = QString::fromLocal8Bit(logged).split("\r\n");
  const QStringList naming = lines.filter(link);
  ASSERT_EQ(naming.size(), 1) << naming.join('\n').toStdString();
  EXPECT_TRUE(naming[0].contains("does not exist")) << naming[0].toStdString();
}

// The command line's port, which blocks in the device, rests before a reply only when the
// replies keep the line's rate; whatever the line, every reply is read whole and a silent device
// ends the wait at its deadline.
TEST_F(DirectPortTest, DirectWaitsRestOnlyOnALineThatKeepsItsRate) {
  struct Case {
    const char* name;
    QStringList sim;
    int exchanges;
    const char* learnt;  // the debug log's word on the line, or nullptr for none
  };
  const Case cases[] = {
      {"unpaced simulator", {"--baud", "0"}, 100, "faster than the line's rate"},
      {"paced at the line's rate", {"--baud", "19200"}, 20, "at the line's rate"},
      {"late replies", {"--baud", "19200", "--fault", "delay=30"}, 3, "at the line's rate"},
      {"silent device", {"--fault", "silent"}, 1, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(sim_.Start(dir_.filePath("ports/COM3"), QStringList{"--flash", flash_} + c.sim))
        << sim_.ErrorOutput();
    std::vector<std::string> log;
    {
      CapturedLog captured(dir_.path());
      direct_.SetDevice(dir_.filePath("ports/COM3").toStdString());
      ASSERT_TRUE(direct_.Open()) << direct_.LastError();
      QElapsedTimer clock;
      clock.start();
      for (int i = 0; i < c.exchanges; ++i) {
        char command[16];
        std::snprintf(command, sizeof command, "@@8%04X01XX", (i * 256) & 0xFFFF);
        std::string sum;
        const bool answered = SendCommand(command, 2, 300, 1, sum);
        EXPECT_EQ(answered, c.learnt != nullptr) << command;
        // Erased flash: every block has the same sum.
        if (answered) {
          EXPECT_EQ(sum, "00") << command;
        }
      }
      if (c.learnt == nullptr) {
        EXPECT_GE(clock.elapsed(), 300);
      }
      direct_.Close();
      log = captured.Messages();
    }
    EXPECT_EQ(sim_.Stop(), 0) << sim_.ErrorOutput();
    const auto said = std::count_if(log.begin(), log.end(), [](const std::string& line) {
      return line.find("replies come") != std::string::npos;
    });
    const auto learnt = std::count_if(log.begin(), log.end(), [&](const std::string& line) {
      return c.learnt != nullptr && line.find(c.learnt) != std::string::npos;
    });
    EXPECT_EQ(said, c.learnt ? 1 : 0) << testing::PrintToString(log);
    EXPECT_EQ(learnt, said) << testing::PrintToString(log);
  }
}

// Nor is a device faster than the hand control's line held to that line's rate in the middle of
// a long reply: twenty block reads take 0.9 s of line time at 115200 baud, 5.5 s at 19200.
TEST_F(DirectPortTest, ADeviceFasterThanTheLineIsReadAtItsOwnPace) {
  ASSERT_TRUE(sim_.Start(dir_.filePath("ports/COM3"), {"--flash", flash_, "--baud", "115200"}))
      << sim_.ErrorOutput();
  direct_.SetDevice(dir_.filePath("ports/COM3").toStdString());
  ASSERT_TRUE(direct_.Open()) << direct_.LastError();
  std::string reply;
  ASSERT_TRUE(SendCommand("@@100XXXXXX", 0, 1000, 1, reply));
  QElapsedTimer clock;
  clock.start();
  for (int block = 0; block < 20; ++block) {
    char command[16];
    std::snprintf(command, sizeof command, "@@6%04X01XX", block * 256);
    ASSERT_TRUE(SendCommand(command, 512, 3000, 1, reply)) << command;
    EXPECT_EQ(reply, std::string(512, 'F')) << command;  // erased flash
  }
  EXPECT_LT(clock.elapsed(), 2750);
  direct_.Close();
}

}  // namespace
