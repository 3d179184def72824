#include <gtest/gtest.h>

#include <string>

#include "cli/visible_text.h"

namespace zv::cli {
namespace {

TEST(VisibleText, NoControlReachesTheTerminalAndDifferentTextsStayDifferent) {
  struct Row {
    const char* cp1250;
    const char* terminal;
    const char* message;
    const char* json;
  };
  const Row rows[] = {
      {"Ch\xB3odnia 3", "Chłodnia 3", "Chłodnia 3", "Chłodnia 3"},
      {"\x1b[2J", "\\x1b[2J", "\\x1b[2J", "\\u001b[2J"},
      {"\x1b]0;T\x07", "\\x1b]0;T\\x07", "\\x1b]0;T\\x07", "\\u001b]0;T\\u0007"},
      {"a\tb\x7f", "a\\x09b\\x7f", "a\\x09b\\x7f", "a\\u0009b\\u007f"},
      // The unassigned bytes decode to C1 controls, which some terminals obey (0x90 is DCS).
      {"\x81\x83\x88\x90\x98", "\\x81\\x83\\x88\\x90\\x98", "\\x81\\x83\\x88\\x90\\x98",
       "\\u0081\\u0083\\u0088\\u0090\\u0098"},
      // A backslash is doubled, so a text that spells an escape differs from the control.
      {"\\x1b \"q\"", "\\\\x1b \"q\"", "\\\\x1b \"q\"", "\\\\x1b \\\"q\\\""},
      // Only a message's own "\r\n" is a line break; a lone CR or LF is shown.
      {"A\r\nB\rC\n", "A\\x0d\\x0aB\\x0dC\\x0a", "A\nB\\x0dC\\x0a",
       "A\\u000d\\u000aB\\u000dC\\u000a"},
  };
  for (const Row& row : rows) {
    char out[128];
    VisibleUtf8(row.cp1250, SafeStyle::Terminal, out, sizeof out);
    EXPECT_STREQ(out, row.terminal);
    VisibleUtf8(row.cp1250, SafeStyle::Message, out, sizeof out);
    EXPECT_STREQ(out, row.message);
    VisibleUtf8(row.cp1250, SafeStyle::Json, out, sizeof out);
    EXPECT_STREQ(out, row.json);
  }
}

TEST(VisibleText, AFormThatDoesNotFitIsLeftOutWhole) {
  char out[8];
  EXPECT_EQ(VisibleUtf8("ab\x1b"
                        "cd",
                        SafeStyle::Json, out, sizeof out),
            2u);
  EXPECT_STREQ(out, "ab");
  EXPECT_EQ(VisibleUtf8("abc\xB3xyz", SafeStyle::Terminal, out, sizeof out), 7u);
  EXPECT_STREQ(out, "abcłxy");
}

}  // namespace
}  // namespace zv::cli
