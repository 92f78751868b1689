// The page texts that padflasher-cli prints too: the texts themselves and their terminal form.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "base/TextUtil.h"
#include "programmer/LinkTexts.h"

namespace {

TEST(PageTexts, FirmwareLoadErrorsByResult) {
  // The numbers are what the program has always reported for the four outcomes.
  const struct {
    int result;
    ImageReadProblem problem;
    const char* text;
  } cases[] = {{0, ImageReadProblem::None, ""},
               {1, ImageReadProblem::None, "Error: Firmware file not found!"},
               {2, ImageReadProblem::None, "Error: Firmware file wrong size!"},
               {2, ImageReadProblem::NotRegular, "Error: Firmware file is not a regular file!"},
               {2, ImageReadProblem::Unreadable, "Error: Firmware file cannot be read!"},
               {3, ImageReadProblem::None, "Error: Firmware file invalid!"},
               {4, ImageReadProblem::None, ""},
               {-1, ImageReadProblem::None, ""}};
  for (const auto& each : cases) {
    const auto result = static_cast<ImageLoadResult>(each.result);
    const auto message = FirmwareLoadMessage(result, each.problem);
    EXPECT_EQ(message ? MessageText(*message) : "", each.text) << each.result;
  }
}

TEST(PageTexts, LfLineEndsReplaceOnlyCrLfPairs) {
  const struct {
    std::string in, out;
  } cases[] = {{"", ""},
               {"a\r\nb", "a\nb"},
               {"\r\n\r\n", "\n\n"},
               {"a\rb\n", "a\rb\n"},     // a lone CR or LF stays
               {"a\r", "a\r"},           // a CR at the end has no LF to pair with
               {"a\r\r\nb", "a\r\nb"}};  // only the CR directly before the LF goes
  for (const auto& each : cases) EXPECT_EQ(WithLfLineEnds(each.in), each.out) << each.in;
}

TEST(PageTexts, TerminalFormsOfTheSharedTexts) {
  const std::string instructions = WithLfLineEnds(kProgrammingModeInstructions);
  EXPECT_EQ(instructions.substr(0, 52), "Hand Control must be placed into Programming Mode:\n\n");
  EXPECT_EQ(instructions.find('\r'), std::string::npos);
  EXPECT_EQ(std::count(instructions.begin(), instructions.end(), '\n'), 7) << "eight lines";
  EXPECT_EQ(WithLfLineEnds(MessageText(LinkMessage(MessageKind::UnsupportedFirmwareQuestion))),
            "Warning: Firmware file is not supported with this version of the program.\n\n"
            "You may want to go back and click on Web Updates to download a more current "
            "version.\n\nDo you wish to proceed anyhow?");
}

TEST(PageTexts, ParametersAreFilledInOnePassAndBlockMessagesKeepTheirPlace) {
  EXPECT_EQ(FillArguments("%1 and %2, %3%", {"a%2", "b"}), "a%2 and b, %3%");
  const HostMessage difference = LinkBlockMessage(MessageKind::DifferenceQuestion, 1, 400);
  EXPECT_EQ(MessageText(difference), "Found Difference at Bank: 1, Block: 400\r\n\r\nContinue?");
  EXPECT_EQ(std::pair(difference.bank, difference.block), std::pair(1, 400));
  EXPECT_EQ(ProgressLabel(LinkPhase::Reading, 0.125), "Reading Hand Control : 12%");
  EXPECT_EQ(ProgressCaption(0.375), "HC 38%");
}

}  // namespace
