// The lines and the table of a run over several ports, and what names each port's files.
#include <gtest/gtest.h>

#include "cli/Commands.h"
#include "cli/PortBoard.h"
#include "cli/SeveralPorts.h"

namespace {

PortRun PortState(const QString& port, const QString& phase, int percent, int exitCode = -1) {
  PortRun run;
  run.port = port;
  run.phase = phase;
  run.percent = percent;
  run.ended = exitCode >= 0;
  run.exitCode = std::max(exitCode, 0);
  return run;
}

TEST(PortBoard, EveryPortsLineFitsTheTerminalAndKeepsWhatTellsPortsApart) {
  const std::vector<PortRun> runs{
      PortState("COM3", "programming", 42),
      PortState("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10KXYZ1-if00-port0", "erasing", 0),
      PortState("COM4", "", 0, kExitFailed)};
  for (int columns : {0, 80, 50, 30}) {
    SCOPED_TRACE(columns);
    const int width = NameWidth(runs, columns);
    for (const PortRun& run : runs) {
      const std::string line = BoardLine(run, width, columns);
      if (columns > 0) {
        EXPECT_LT(line.size(), static_cast<size_t>(columns)) << line;
      }
      EXPECT_EQ(line.find('\n'), std::string::npos);
    }
    EXPECT_EQ(BoardLine(runs[0], width, columns).rfind("COM3 ", 0), 0u);
    // A by-id name too long for its column keeps its end, where the serials differ.
    EXPECT_NE(
        BoardLine(runs[1], width, columns).find(columns == 0 ? "A10KXYZ1-if00-port0" : "port0"),
        std::string::npos);
  }
  EXPECT_NE(BoardLine(runs[0], 4, 80).find(" 42% ["), std::string::npos);
  EXPECT_NE(BoardLine(runs[0], 4, 80).find("] programming"), std::string::npos);
  EXPECT_NE(BoardLine(runs[2], 4, 80).find("failed"), std::string::npos);
}

TEST(PortBoard, TheWorstEndDecidesTheExitCode) {
  const struct {
    std::vector<int> codes;
    int worst;
  } cases[] = {
      {{0, 0, 0}, kExitOk},          {{0, 2, 0}, kExitUsage},    {{2, 1, 0}, kExitFailed},
      {{1, 130, 2}, kExitCancelled}, {{130, 0}, kExitCancelled},
  };
  for (const auto& c : cases) {
    std::vector<PortRun> runs;
    for (int code : c.codes) runs.push_back(PortState("COM1", "", 0, code));
    EXPECT_EQ(WorstExitCode(runs), c.worst);
  }
}

TEST(PortBoard, TheSummaryGivesEachPortARowCutToTheTerminal) {
  std::vector<PortRun> runs{PortState("COM1", "", 100, kExitOk),
                            PortState("/dev/ttyUSB0", "", 0, kExitFailed)};
  runs[0].seconds = 12.34;
  runs[0].ending = "Programmed and checked by block sums.";
  runs[1].seconds = 1;
  runs[1].ending = "the hand control on /dev/ttyUSB0 did not answer. Nothing was changed.";
  const QStringList whole = SummaryTable(runs, 0).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(whole.size(), 3);
  EXPECT_EQ(whole[0], "Port          Result  Seconds  How it ended");
  EXPECT_EQ(whole[1], "COM1          ok         12.3  Programmed and checked by block sums.");
  EXPECT_EQ(whole[2], "/dev/ttyUSB0  failed      1.0  " + runs[1].ending);
  // At 80 columns the failure's ending moves to a line of its own; at 50 the short one too.
  EXPECT_EQ(
      SummaryTable(runs, 80).split('\n', Qt::SkipEmptyParts),
      (QStringList{whole[0], whole[1], "/dev/ttyUSB0  failed      1.0", "    " + runs[1].ending}));
  const QStringList narrow = SummaryTable(runs, 50).split('\n', Qt::SkipEmptyParts);
  EXPECT_EQ(narrow.size(), 5);
  for (const QString& line : narrow) EXPECT_LT(line.size(), 50) << line.toStdString();
}

TEST(PortBoard, EachPortNamesItsOwnFiles) {
  const struct {
    const char* port;
    const char* tag;
  } tags[] = {{"COM3", "COM3"},
              {"/dev/ttyUSB0", "ttyUSB0"},
              {"/dev/serial/by-id/usb-FTDI_A1", "serial-by-id-usb-FTDI_A1"},
              {"usb:0403:6001:A1", "usb-0403-6001-A1"},
              {"/tmp/sim/COM3", "tmp-sim-COM3"},
              {"../x", "---x"},
              {".hidden", "-hidden"}};
  for (const auto& t : tags) EXPECT_EQ(PortTag(t.port), t.tag) << t.port;
  EXPECT_EQ(PerPortFileName("trace.txt", "COM3"), "trace-COM3.txt");
  EXPECT_EQ(PerPortFileName("logs.d/trace", "COM3"), "logs.d/trace-COM3");
  EXPECT_EQ(PerPortFileName("/tmp/.trace", "COM3"), "/tmp/.trace-COM3");
}

}  // namespace
