// Text from outside on its way to a terminal: nothing in it may steer the terminal or reorder
// what the user reads.
#include <gtest/gtest.h>

#include "base/TextUtil.h"

namespace {

TEST(EscapedForDisplay, ControlAndReorderingCharactersAreShownNotObeyed) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"DEMO200", "DEMO200"},
      {"a\x1b[2Jb", "a\\x1B[2Jb"},
      {"line\nbreak\r", "line\\x0Abreak\\x0D"},
      {"del\x7f", "del\\x7F"},
      {"c1 \xc2\x9b"
       "31m",
       "c1 \\x9B31m"},
      {"\xe2\x80\xae"
       "fdp.exe",
       "\\u202Efdp.exe"},  // right-to-left override
      {"a\xe2\x81\xa6"
       "b\xe2\x81\xa9",
       "a\\u2066b\\u2069"},  // isolates
      {"a\xe2\x80\xa8"
       "b",
       "a\\u2028b"},                                                   // line separator
      {"caf\xc3\xa9 \xe2\x80\x94 ok", "caf\xc3\xa9 \xe2\x80\x94 ok"},  // é and a dash stay
      {"cut \xe2\x80", "cut \xe2\x80"},                                // a sequence cut short stays
  };
  for (const auto& c : cases) EXPECT_EQ(EscapedForDisplay(c.in), c.out) << c.in;
}

}  // namespace
