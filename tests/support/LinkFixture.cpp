#include "LinkFixture.h"

#include <algorithm>

#include "LinkState.h"
#include "TestImage.h"
#include "startup/Settings.h"
#include "startup/Startup.h"

void LinkTest::SetUp() {
  ResetLinkState();
  SetProgramPaths("/nonexistent", "PadFlasher");
  gComPort = "COM3";
  Attach(hcsim::Faults{});
}

void LinkTest::TearDown() {
  // Every question a run asked must have been foreseen by the test's script.
  EXPECT_EQ(host.unexpected, 0) << "questions beyond the script";
  ResetLinkState();
}

void LinkTest::Attach(const hcsim::Faults& faults, int baud) {
  sim = AttachSimLink(host, faults, baud);
  sim->Open();
}

void LinkTest::Attach(const std::string& faultSpec, int baud) {
  hcsim::Faults faults;
  std::string error;
  ASSERT_TRUE(hcsim::ParseFault(faultSpec, faults, error)) << error;
  Attach(faults, baud);
}

void LinkTest::Fill(int bank, int block) {
  for (int i = 0; i < kBlockSize; ++i) {
    const int offset = ImageOffset(bank, block, i);
    gImage[offset] = testimage::DataByte(1, offset);
  }
}

void LinkTest::FillRange(int bank, int first, int last) {
  for (int block = first; block <= last; ++block) Fill(bank, block);
}

void LinkTest::SetImageCode(uint16_t code) {
  gImage[testimage::kCodeOffset] = code & 0xFF;
  gImage[testimage::kCodeOffset + 1] = code >> 8;
}

int LinkTest::Count(const std::string& prefix) const {
  return static_cast<int>(
      std::count_if(Commands().begin(), Commands().end(),
                    [&](const std::string& c) { return c.starts_with(prefix); }));
}

std::vector<std::string> LinkTest::From(const std::string& prefix) const {
  auto at = std::find_if(Commands().begin(), Commands().end(),
                         [&](const std::string& c) { return c.starts_with(prefix); });
  return {at, Commands().end()};
}

bool LinkTest::FlashMatchesImage() const {
  const auto& flash = sim->Device().Flash();
  for (int bank = 0; bank < 2; ++bank) {
    for (int first : {0, 384}) {
      const int begin = ImageOffset(bank, first);
      const int end = begin + (first == 0 ? 256 : 128) * kBlockSize;
      if (!std::equal(flash.begin() + begin, flash.begin() + end, gImage.begin() + begin)) {
        return false;
      }
    }
  }
  return true;
}

std::vector<MsgAnswer> LinkTest::Questions() const {
  std::vector<MsgAnswer> answers;
  for (const auto& m : host.messages) {
    if (m.buttons != MsgButtons::Ok) answers.push_back(m.answer);
  }
  return answers;
}

std::string WriteCommand(int address, int count) {
  return "@@2" + HexPad(address, 4) + HexPad(count, 2) + "XX";
}
