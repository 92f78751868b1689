// Opening the port, identifying image and hand control, and the status text.
#include "LinkFixture.h"
#include "startup/Settings.h"
#include "startup/Versions.h"

namespace {

const std::string kTail = "___________________\r\n\r\nEXE Version: 1.0.2\r\n";

VersionEntry Entry(const std::string& type, const std::string& code, int major, int minor) {
  VersionEntry e;
  e.Status = "Release";
  e.TypeName = type;
  e.Checksum = code;
  e.Major = static_cast<int16_t>(major);
  e.Minor = static_cast<int16_t>(minor);
  return e;
}

}  // namespace

class IdentityTest : public LinkTest {
 protected:
  void SetUp() override {
    LinkTest::SetUp();
    gVersions = {Entry("Quorrel HC", "12AB", 3, 7), Entry("Old HC", "00ab", 1, 5),
                 Entry("Shadow", "12ab", 9, 9)};
  }
  // The hand control holds firmware with this code.
  void DeviceCode(uint16_t code) {
    sim->Device().Flash()[0xFFFE] = code & 0xFF;
    sim->Device().Flash()[0xFFFF] = code >> 8;
  }
};

TEST_F(IdentityTest, OpeningFindsTheHandControlAndReopensAnOpenPort) {
  sim->Close();
  EXPECT_TRUE(OpenComPort());
  EXPECT_TRUE(sim->IsOpen());
  EXPECT_EQ(sim->DeviceName(), ResolvePortDevice("COM3"));
  EXPECT_TRUE(OpenComPort());
  EXPECT_EQ(sim->Opens(), 3);  // the fixture's own open, then two more
  EXPECT_EQ(Commands(), (std::vector<std::string>{"@@100XXXXXX", "@@100XXXXXX"}));
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(IdentityTest, APortThatWillNotOpenIsReportedOnceAndLoggedOnce) {
  // The port itself logs why its device refused to open; only a name that stands for no device
  // at all is logged here, so every failed open leaves exactly one line.
  ASSERT_EQ(ResolvePortDevice("COM17"), "");
  struct Case {
    const char* comPort;
    const char* openError;
    std::vector<std::string> logged;
    bool tried;  // the device was named to the port and an open tried
  } cases[] = {
      {"COM3", "Permission denied", {}, true},
      {"COM17",
       "",
       {"OpenComPort: COM17 does not stand for a serial device on this machine"},
       false},
      // Devices that would take the protocol without being a hand control's line.
      {"/dev/null", "", {"OpenComPort: /dev/null is no serial device"}, false},
      {"/dev/tty", "", {"OpenComPort: /dev/tty is no serial device"}, false},
      {"/dev/ptmx", "", {"OpenComPort: /dev/ptmx is no serial device"}, false},
  };
  for (const auto& c : cases) {
    Attach(hcsim::Faults{});
    sim->Close();
    sim->FailOpensWith(c.openError);
    host = ScriptedHost();
    gComPort = c.comPort;
    CapturedLog log;
    EXPECT_FALSE(OpenComPort()) << c.comPort;
    EXPECT_EQ(log.Messages(), c.logged) << c.comPort;
    EXPECT_EQ(sim->DeviceName(), c.tried ? ResolvePortDevice(c.comPort) : "") << c.comPort;
    EXPECT_FALSE(sim->IsOpen()) << c.comPort;
    ASSERT_EQ(host.messages.size(), 1u) << c.comPort;
    EXPECT_EQ(host.messages[0].text, "Error Opening COM Port");
    EXPECT_EQ(host.messages[0].title, "PadFlasher");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(Commands().empty()) << c.comPort;
  }
}

TEST_F(IdentityTest, NoPortNameCannotBeOpened) {
  gComPort.clear();
  EXPECT_FALSE(OpenComPort());
  EXPECT_EQ(host.Texts(), std::vector<std::string>{"Error Opening COM Port"});
}

TEST_F(IdentityTest, ASilentHandControlGetsTheInstructionsAndAClosedPort) {
  Attach("silent");
  gHcType = "Quorrel HC";
  gHcMajor = 3;
  EXPECT_FALSE(OpenComPort());
  EXPECT_FALSE(sim->IsOpen());
  EXPECT_EQ(host.helpShown, 1);
  EXPECT_EQ(gHcType, "Unknown");
  EXPECT_EQ(gHcMajor, 0);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(IdentityTest, StatusTextWithoutPortOrFile) {
  gComPort.clear();
  EXPECT_EQ(BuildStatusText(), "No COM port specified!\r\n\r\n" + kTail);
}

TEST_F(IdentityTest, StatusTextOfAKnownImageAndHandControl) {
  SetImageCode(0x12AB);
  DeviceCode(0x12AB);
  gFirmwareFile = "qhc307.bin";
  RefreshHandControlInfo();
  EXPECT_EQ(BuildStatusText(),
            "File: qhc307.bin\r\nVersion: 3.07\r\nType: Quorrel HC\r\n"
            "___________________\r\nHand Control\r\nVersion: 3.07\r\nType: Quorrel HC\r\n" +
                kTail);
  EXPECT_EQ(gFileChecksum, "12AB");
  EXPECT_EQ(gHcChecksum, "12AB");
  EXPECT_EQ(Commands(), (std::vector<std::string>{"@@3XXXXXXXX", "@@100XXXXXX"}));
}

TEST_F(IdentityTest, CodesMatchTheTableWithoutRegardToCase) {
  struct Case {
    const char* fault;
    uint16_t code;
    const char* type;
    const char* version;
  } cases[] = {{"lowercase", 0x12AB, "Quorrel HC", "3.07"},
               {"lowercase", 0x00AB, "Old HC", "1.05"}};
  for (const auto& c : cases) {
    Attach(c.fault);
    DeviceCode(c.code);
    SetImageCode(c.code);
    RefreshHandControlInfo();
    EXPECT_EQ(gHcType, c.type) << c.code;
    EXPECT_EQ(BuildStatusText(), std::string("___________________\r\nHand Control\r\nVersion: ") +
                                     c.version + "\r\nType: " + c.type + "\r\n" + kTail)
        << c.code;
    std::string type;
    int16_t major = 0, minor = 0;
    EXPECT_TRUE(GetFileVersion(type, major, minor));
    EXPECT_EQ(type, c.type);
  }
}

TEST_F(IdentityTest, UnknownCodesShowUnknownAndTheirChecksum) {
  SetImageCode(0xBEEF);
  DeviceCode(0xCAFE);
  gFirmwareFile = "odd.bin";
  RefreshHandControlInfo();
  EXPECT_EQ(BuildStatusText(),
            "File: odd.bin\r\nVersion: Unknown\r\nType: Unknown\r\nCSUM: BEEF\r\n"
            "___________________\r\nHand Control\r\nVersion: Unknown\r\nType: Unknown\r\n"
            "CSUM: CAFE\r\n" +
                kTail);
}

TEST_F(IdentityTest, AHandControlThatStoppedAnsweringKeepsItsLastCode) {
  DeviceCode(0x12AB);
  RefreshHandControlInfo();
  EXPECT_EQ(gHcType, "Quorrel HC");
  sim->Device().GetFaults().silent = true;
  RefreshHandControlInfo();
  EXPECT_EQ(gHcType, "Unknown");
  EXPECT_EQ(BuildStatusText(),
            "___________________\r\nHand Control\r\nVersion: Unknown\r\nType: Unknown\r\n"
            "CSUM: 12AB\r\n" +
                kTail);
}

TEST_F(IdentityTest, AFailedQueryNamesNothingEvenWithAnEmptyTableEntry) {
  gVersions.insert(gVersions.begin(), Entry("Blank entry", "", 0, 1));
  Attach("silent");
  std::string type = "stale";
  int16_t major = 4, minor = 4;
  EXPECT_FALSE(QueryHandControlVersion(type, major, minor));
  EXPECT_EQ(type, "Unknown");
  EXPECT_EQ(major, 0);
  EXPECT_EQ(minor, 0);
  // The presence test is still sent after the failed query.
  EXPECT_EQ(Commands(), (std::vector<std::string>{"@@3XXXXXXXX", "@@100XXXXXX"}));
}

TEST_F(IdentityTest, NoPortMeansNoQuery) {
  gComPort.clear();
  gHcType = "Quorrel HC";
  RefreshHandControlInfo();
  EXPECT_EQ(gHcType, "Unknown");
  EXPECT_TRUE(Commands().empty());
}

TEST_F(IdentityTest, AfterProgrammingTheHandControlReportsTheNewImage) {
  FillRange(0, 0, 3);
  SetImageCode(0x00AB);
  DeviceCode(0x12AB);
  ASSERT_TRUE(ProgramHandControl());
  RefreshHandControlInfo();
  EXPECT_EQ(gHcChecksum, "00AB");
  EXPECT_EQ(gHcType, "Old HC");
  EXPECT_EQ(VersionText(gHcMajor, gHcMinor), "1.05");
}
