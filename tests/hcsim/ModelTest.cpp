// The simulated hand control itself: other tests trust it, so its own rules are checked here.
#include <gtest/gtest.h>

#include "HandControlModel.h"

using hcsim::Faults;
using hcsim::HandControlModel;

namespace {

std::string Exchange(HandControlModel& model, const std::string& bytes, int64_t at = 0) {
  model.Receive(bytes, at);
  return model.TakeOutput(hcsim::kNever - 1);
}

}  // namespace

TEST(FaultSpecTest, AcceptsEveryDocumentedForm) {
  Faults f;
  std::string error;
  for (const char* spec :
       {"silent", "delay=1200", "delay=5100:2", "noise", "nack=2", "corrupt=0:12", "swap=1:511",
        "lowercase", "disconnect=4096", "xoff=300", "mute=13"}) {
    EXPECT_TRUE(hcsim::ParseFault(spec, f, error)) << spec << ": " << error;
  }
  EXPECT_TRUE(f.silent);
  EXPECT_EQ(f.delayMs, 5100);
  EXPECT_EQ(f.delayCommand, '2');
  EXPECT_EQ(f.noise, 1);
  EXPECT_EQ(f.nackWrite, 2);
  ASSERT_EQ(f.corrupt.size(), 1u);
  EXPECT_EQ(f.corrupt[0].block, 12);
  ASSERT_EQ(f.swap.size(), 1u);
  EXPECT_EQ(f.swap[0].bank, 1);
  EXPECT_EQ(f.swap[0].block, 511);
  EXPECT_TRUE(f.lowercase);
  EXPECT_EQ(f.disconnectAfter, 4096);
  EXPECT_EQ(f.xoffMs, 300);
  EXPECT_EQ(f.muteFrom, 13);
}

TEST(FaultSpecTest, RejectsMalformedSpecsWithAReason) {
  for (const char* spec : {"", "loud", "delay", "delay=", "delay=-5", "delay=10:x", "nack=0",
                           "corrupt=2:0", "corrupt=0:512", "corrupt=0", "swap=a:b", "silent=1",
                           "noise=many", "xoff=1e3", "disconnect=99999999999999"}) {
    Faults f;
    std::string error;
    EXPECT_FALSE(hcsim::ParseFault(spec, f, error)) << spec;
    EXPECT_FALSE(error.empty()) << spec;
  }
}

TEST(ModelTest, WritesOnlyClearBitsAndLandOnThePagesHalf) {
  HandControlModel model;
  EXPECT_EQ(Exchange(model, "@@103XXXXXX"), "#");
  std::string data(256, '\x0F');
  EXPECT_EQ(Exchange(model, "@@2010001XX" + data), "#");
  EXPECT_EQ(model.Flash()[0x20100], 0x0F);
  EXPECT_EQ(Exchange(model, "@@2010001XX" + std::string(256, '\xF0')), "#");
  EXPECT_EQ(model.Flash()[0x20100], 0x00);  // 0x0F & 0xF0
  EXPECT_EQ(model.Flash()[0x200FF], 0xFF);
  EXPECT_EQ(Exchange(model, "@@8010001XX"), "00#");
  EXPECT_EQ(Exchange(model, "@@5XXXXXXXX"), "#");
  EXPECT_EQ(model.Flash()[0x20100], 0xFF);
}

TEST(ModelTest, RepliesWithTheCodeOfItsFlashAndReadsBlocksAsHex) {
  HandControlModel model;
  model.Flash()[0xFFFE] = 0xCD;
  model.Flash()[0xFFFF] = 0x0A;
  const std::string query = Exchange(model, "@@3XXXXXXXX");
  ASSERT_EQ(query.size(), 96u);
  EXPECT_EQ(query.substr(88, 4), "0ACD");
  // Offset 0xFF00 is block 255 of page 01.
  const std::string block = Exchange(model, "@@101XXXXXX@@6FF0001XX");
  ASSERT_EQ(block.size(), 1u + 512u + 1u);
  EXPECT_EQ(block.substr(1 + 508, 4), "CD0A");
  EXPECT_EQ(Exchange(model, "@@8FF0001XX"), "D9#");  // 254 * 0xFF + 0xCD + 0x0A, modulo 256
}

TEST(ModelTest, SkipsJunkBeforeACommandAndIgnoresUnknownOnes) {
  HandControlModel model;
  model.RecordCommands(true);
  EXPECT_EQ(Exchange(model, "xx@q@@100XXXXXX"), "#");
  EXPECT_EQ(Exchange(model, "@@9XXXXXXXX"), "");
  EXPECT_EQ(Exchange(model, "@@104XXXXXX"), "");  // there is no page 04
  EXPECT_EQ(model.CommandLog(),
            (std::vector<std::string>{"@@100XXXXXX", "@@9XXXXXXXX", "@@104XXXXXX"}));
}

TEST(ModelTest, KeepsTheCommandsOnlyWhenAskedAndUntilTheyAreTaken) {
  HandControlModel model;
  for (int i = 0; i < 1000; ++i) Exchange(model, "@@100XXXXXX");
  EXPECT_TRUE(model.CommandLog().empty()) << "a long session grows without end";
  model.RecordCommands(true);
  Exchange(model, "@@100XXXXXX@@5XXXXXXXX");
  EXPECT_EQ(model.TakeCommandLog(), (std::vector<std::string>{"@@100XXXXXX", "@@5XXXXXXXX"}));
  EXPECT_TRUE(model.CommandLog().empty());
}

TEST(ModelTest, RepliesAreDueAfterTheDevicesOwnTime) {
  HandControlModel model(Faults{}, hcsim::Timing{2, 700, 3});
  model.Receive("@@5XXXXXXXX", 1000);
  EXPECT_EQ(model.NextOutputDue(), 1000 + 2 + 700);
  EXPECT_EQ(model.TakeOutput(1701), "");
  EXPECT_EQ(model.TakeOutput(1702), "#");
  model.Receive("@@2000002XX" + std::string(512, '\0'), 2000);
  EXPECT_EQ(model.NextOutputDue(), 2000 + 2 + 2 * 3);
}

TEST(ModelTest, FaultsChangeWhatComesBack) {
  struct Case {
    const char* fault;
    std::string input;
    std::string output;
  } cases[] = {
      // The setup's page command takes the first reply, so "noise=2" marks the second.
      {"silent", "@@100XXXXXX", ""},
      {"noise=2", "@@100XXXXXX@@100XXXXXX", "~##"},
      {"nack=2", "@@2000001XX" + std::string(256, 'A') + "@@2000101XX" + std::string(256, 'A'),
       "#"},
      {"lowercase", "@@8000001XX", "0d#"},
      {"corrupt=0:0", "@@8000001XX", "0E#"},
      {"swap=0:0", "@@6000001XX", "FF0C" + std::string(508, 'F') + "#"},
      {"xoff=50", "@@2000001XX", std::string(1, hcsim::kXoff) + hcsim::kXon},
  };
  for (const auto& c : cases) {
    Faults f;
    std::string error;
    ASSERT_TRUE(hcsim::ParseFault(c.fault, f, error)) << error;
    HandControlModel model(f);
    model.Flash()[0] = 0x0C;  // block 0 of bank 0 sits on page 01; its sum is 0x0D
    model.Receive("@@101XXXXXX", 0);
    model.TakeOutput(hcsim::kNever - 1);
    EXPECT_EQ(Exchange(model, c.input), c.output) << c.fault;
  }
}

TEST(ModelTest, DelayCanBeLimitedToOneCommand) {
  Faults f;
  std::string error;
  ASSERT_TRUE(hcsim::ParseFault("delay=5100:2", f, error));
  HandControlModel model(f, hcsim::Timing{0, 0, 0});
  model.Receive("@@100XXXXXX", 0);
  EXPECT_EQ(model.NextOutputDue(), 0);
  model.TakeOutput(0);
  model.Receive("@@2000001XX" + std::string(256, 'A'), 10);
  EXPECT_EQ(model.NextOutputDue(), 5110);
}

TEST(ModelTest, DisconnectDropsEverythingAfterTheLastByte) {
  Faults f;
  f.disconnectAfter = 15;
  HandControlModel model(f);
  model.RecordCommands(true);
  model.Receive("@@100XXXXXX@@1", 0);
  EXPECT_FALSE(model.Disconnected());
  model.Receive("01XXXXXX", 0);
  EXPECT_TRUE(model.Disconnected());
  EXPECT_EQ(model.NextOutputDue(), hcsim::kNever);
  EXPECT_EQ(model.TakeOutput(hcsim::kNever - 1), "");
  EXPECT_EQ(model.CommandLog().size(), 1u);
}
