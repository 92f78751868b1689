// Sessions recorded with padflasher-cli --trace, replayed by hcsim --replay through the CLI: a
// user's failing run gives the same result here as it gave them. tests/cli/sessions/README.md
// says how each trace was made.
#include <gtest/gtest.h>

#include "CliHarness.h"

namespace {

QString Session(const char* name) {
  return QStringLiteral(PADFLASHER_SOURCE_DIR "/tests/cli/sessions/") + name + ".trace";
}

TEST(CliReplay, RecordedSessionsEndAsTheyDid) {
  const struct {
    const char* trace;
    unsigned imageSeed;
    int exitCode;
    std::vector<const char*> shown;  // lines of the CLI's error output
    const char* simulator;           // what hcsim says, or nullptr for nothing about the trace
  } cases[] = {
      {"clean-flash", 1, 0, {"Programmed and checked by block sums."}, nullptr},
      {"checksum-differs",
       1,
       1,
       {"Found Difference at Bank: 0, Block: 1",
        "programming failed: the check found blocks that differ from the image (1)"},
       nullptr},
      // The device fell silent in the check phase: three tries per question, the question
      // retried twice, then the run fails, saying where.
      {"stops-answering",
       1,
       1,
       {"Error Verifying Data at Bank: 0, Block: 2 -> Cancel (no terminal)",
        "verifying failed at bank 0, block 2."},
       nullptr},
      // Not the image of the recorded run: the replay stops at its first data.
      {"clean-flash", 2, 1, {}, "the data of command 4 differ from the trace at byte 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.trace) + " seed " + std::to_string(c.imageSeed));
    CliFixture f;
    f.WriteFile("new.bin", MakeImage({0, 1, 512}, 0x00AB, c.imageSeed));
    f.StartReplay(Session(c.trace));
    const CliResult r = f.Run({"flash", "--yes", "--port", "COM1", "new.bin"});
    const QString simulator = f.StopSim();
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
    for (const char* line : c.shown) EXPECT_TRUE((r.out + r.err).contains(line)) << line;
    if (c.simulator) {
      EXPECT_TRUE(simulator.contains(c.simulator)) << simulator.toStdString();
    } else {
      EXPECT_FALSE(simulator.contains("trace")) << simulator.toStdString();
    }
  }
}

}  // namespace
