// What 'chart --overview' reads from outside: the limits a user types, and the interval line
// of an export's header.
#include <gtest/gtest.h>

#include <string>

#include "cli/degree_option.h"
#include "samples/export_interval.h"

namespace zv {
namespace {

TEST(ChartInputs, LimitsInDegreesAreKeptExactly) {
  struct Case {
    const char* text;
    bool ok;
    int tenThousandths;
  } cases[] = {
      {"8", true, 80000},      {"-2,5", true, -25000}, {"7.25", true, 72500},
      {"+4", true, 40000},     {"0.03", true, 300},    {"0.0313", true, 313},
      {"-0,0313", true, -313}, {"125", true, 1250000}, {"-55", true, -550000},
      {"8.1", true, 81000},    {"125.0001", false, 0}, {"-55,5", false, 0},
      {"", false, 0},          {"-", false, 0},        {"8,", false, 0},
      {",5", false, 0},        {"1e2", false, 0},      {"8.12345", false, 0},
      {"0008", false, 0},      {"8 ", false, 0},       {"--8", false, 0},
  };
  for (const Case& c : cases) {
    int32_t value = 12345;
    EXPECT_EQ(cli::ParseLimitDegrees(c.text, value), c.ok) << c.text;
    EXPECT_EQ(value, c.ok ? c.tenThousandths : 12345) << c.text;
  }
}

TEST(ChartInputs, TheExportsIntervalLineGivesItsSeconds) {
  const std::string head = "Zorvant v2.0\r\n---\r\nLogger_ID    \t\tX\r\nStart:       \t\t...\r\n";
  struct Case {
    std::string text;
    bool ok;
    uint32_t seconds;
  } cases[] = {
      {head + "Pomiar co:   \t\t10 s  \r\n", true, 10},
      {head + "Pomiar co:   \t\t1,5 h \r\n", true, 5400},
      {head + "Pomiar co:   \t\t5 h   \n", true, 18000},  // LF alone
      {head + "Pomiar co:   \t\t?     \r\n", false, 0},   // an index beyond the table
      {head + "Pomiar co:   \t\t10 s\r\n", false, 0},     // not the table's width
      {head + "Pomiar co:   \t\t", false, 0},
      {head + "Pomiar co:", false, 0},
      {"", false, 0},
  };
  for (const Case& c : cases) {
    uint32_t seconds = 0;
    EXPECT_EQ(ExportIntervalSeconds(c.text.data(), c.text.size(), seconds), c.ok) << c.text;
    EXPECT_EQ(seconds, c.seconds) << c.text;
  }
}

}  // namespace
}  // namespace zv
