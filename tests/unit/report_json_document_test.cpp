#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "report/json_document.h"

namespace zv {
namespace {

// A text from outside comes out as JSON that a terminal showing it cannot be steered by.
TEST(JsonDocument, TextsComeOutSafe) {
  const struct {
    std::string in;
    const char* out;  // the string member as dumped
  } cases[] = {
      {"Chłodnia \"3\"", "\"Chłodnia \\\"3\\\"\""},
      {"C:\\eksport", "\"C:\\\\eksport\""},
      {"A\x1b[2J\n", "\"A\\u001b[2J\\n\""},
      {"A\x7f", "\"A\\u007f\""},
      {"A\xc2\x90", "\"A\\u0090\""},                     // C1
      {"evil\xe2\x80\xaetxt", "\"evil\\u202etxt\""},     // a direction override
      {"\\\xe2\x80\xa8", "\"\\\\\\u2028\""},             // a separator after a backslash
      {"\xef\xbf\xbf\xd8\x9c", "\"\\uffff\\u061c\""},    // no character; Arabic letter mark
      {"A\xffZ\xc3", "\"A\xef\xbf\xbdZ\xef\xbf\xbd\""},  // not UTF-8: U+FFFD
      {"\xf0\x9f\x8c\xa1 \xe2\x80\x8b", "\"\xf0\x9f\x8c\xa1 \xe2\x80\x8b\""},  // safe as it is
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DumpJson(nlohmann::json{{"t", c.in}}), std::string("{\"t\":") + c.out + "}") << c.in;
  }
}

TEST(JsonDocument, OrderAndNumbers) {
  const nlohmann::ordered_json ordered = {{"title", "x"}, {"min_c", -0.0625}, {"readings", 7}};
  EXPECT_EQ(DumpJson(ordered), "{\"title\":\"x\",\"min_c\":-0.0625,\"readings\":7}");
  const nlohmann::json sorted = {{"title", nullptr}, {"low_c", 2.0}, {"high_c", 8.1}};
  EXPECT_EQ(DumpJson(sorted), "{\"high_c\":8.1,\"low_c\":2.0,\"title\":null}");
  // Laid out for a reader: the line ends stay, the one inside a string is escaped.
  EXPECT_EQ(DumpJson(nlohmann::json{{"t", "a\nb"}}, 2), "{\n  \"t\": \"a\\nb\"\n}");
}

}  // namespace
}  // namespace zv
