// The link's services reach the program's end through the hook that startup offers: EndProgram
// closes the port the link was given, and only when a port was chosen.
#include <QDir>

#include "ProgramState.h"
#include "TempFolder.h"
#include "programmer/Link.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "startup/Versions.h"

namespace {
// Counts how often the port is closed; it reports itself open so that closing is due.
class CountingPort : public ISerialPort {
 public:
  int closes = 0;
  void SetDevice(const std::string&) override {}
  bool Open() override { return true; }
  void Close() override { ++closes; }
  bool IsOpen() const override { return true; }
  int BytesWaiting() override { return 0; }
  int ReadByte() override { return -1; }
  bool Write(const std::string&) override { return true; }
  bool WaitForData(int) override { return false; }
  std::string LastError() const override { return {}; }
};

class LinkServicesTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    ASSERT_TRUE(QDir(QString::fromStdString(Folder())).mkdir("program"));
    program_ = Path("program");
  }
  void TearDown() override {
    SetLinkServices(nullptr, nullptr, nullptr);
    TempFolderTest::TearDown();
  }
  std::string program_;

 private:
  SavedProgramState saved_;
};

TEST_F(LinkServicesTest, EndProgramClosesThePortOnlyWhenOneIsNamed) {
  CountingPort port;
  SetLinkServices(&port, nullptr, nullptr);
  SetProgramPaths(program_, "PadFlasher");
  StartProgram();
  EndProgram();
  EXPECT_EQ(port.closes, 0);
  gComPort = "COM3";
  EndProgram();
  EXPECT_EQ(port.closes, 1);
  EXPECT_NE(ReadBytes(program_ + "/PadFlasher.ini").find("COMport      = COM3"), std::string::npos);
}

}  // namespace
