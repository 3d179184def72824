// The command line's options arrive typed: each text is checked and converted by its option
// while the line is read, so a command never parses one again.
#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "cli/config_command.h"
#include "cli/output_format.h"
#include "cli/report_command.h"

namespace zv::cli {
namespace {

TEST(TypedOptions, OutputFormatByExtensionInAnyCase) {
  const struct {
    const char* path;
    OutputFormat format;
  } cases[] = {
      {"r.PDF", OutputFormat::Pdf},     {"a.b/c.Json", OutputFormat::Json},
      {"x.svg.png", OutputFormat::Png}, {"e.txt", OutputFormat::Text},
      {"e.CSV", OutputFormat::Csv},     {"-", OutputFormat::None},
      {"pdf", OutputFormat::None},      {"chart.svg", OutputFormat::Svg},
  };
  for (const auto& c : cases) EXPECT_EQ(OutputFormatOf(c.path), c.format) << c.path;
}

// Parses `args` after the command's name; true when CLI11 accepted them.
template <typename Options, typename Add>
bool Parse(Add add, Options& options, std::vector<std::string> args) {
  CLI::App app;
  add(app, options);
  args.insert(args.begin(), "cmd");
  std::vector<const char*> argv{"zorvant-cli"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError&) {
    return false;
  }
  return true;
}

TEST(TypedOptions, ConfigTextsBecomeIndicesAsTheyAreRead) {
  auto add = [](CLI::App& app, ConfigOptions& o) { AddConfigCommand(app, o)->name("cmd"); };
  ConfigOptions o;
  ASSERT_TRUE(
      Parse(add, o,
            {"--port", "p", "--keep", "--interval", " 10 s ", "--duration", "2", "--channels", "ab",
             "--signal", "off", "--when-full", "erase", "--id", "Chłodnia 3"}));
  EXPECT_GE(o.overrides.interval, 0);
  EXPECT_EQ(o.overrides.duration, 2);
  EXPECT_EQ(o.overrides.channels, 1);
  EXPECT_EQ(o.overrides.signal, 0);
  EXPECT_TRUE(o.eraseWhenFull);
  EXPECT_TRUE(o.overrides.idGiven);
  EXPECT_EQ(o.overrides.startDelay, -1);  // not given: the logger's own value stays

  for (const std::vector<std::string>& refused : {std::vector<std::string>{"--interval", "7 s"},
                                                  {"--duration", "999"},
                                                  {"--channels", "b"},
                                                  {"--id", "z\x1b[2J"},
                                                  {"--id", "czternaście zn"}}) {
    ConfigOptions bad;
    std::vector<std::string> args{"--port", "p", "--keep"};
    args.insert(args.end(), refused.begin(), refused.end());
    EXPECT_FALSE(Parse(add, bad, args)) << refused[0] << " " << refused[1];
  }
}

TEST(TypedOptions, ReportGetsItsStartChannelsAndLanguageTyped) {
  auto add = [](CLI::App& app, ReportOptions& o) { AddReportCommand(app, o)->name("cmd"); };
  ReportOptions o;
  ASSERT_TRUE(Parse(add, o,
                    {"--from-export", "e.txt", "-o", "r.json", "--started-at",
                     "2026-12-01T08:00:00Z", "--channels", "b", "--lang", "en"}));
  ASSERT_TRUE(o.startedAt.has_value());
  EXPECT_EQ(o.startedAt->utc, 1796112000);
  EXPECT_FALSE(o.channels.a);
  EXPECT_TRUE(o.channels.b);
  EXPECT_EQ(o.language, LabelLanguage::English);
  ReportOptions bad;
  EXPECT_FALSE(Parse(
      add, bad, {"--from-export", "e", "-o", "r.json", "--started-at", "2026-02-30T00:00:00"}));
}

}  // namespace
}  // namespace zv::cli
