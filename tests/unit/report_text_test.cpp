#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/page_text.h"
#include "report/report_title.h"
#include "report/text_width.h"

namespace zv {
namespace {

// Keeps every step of a picture.
struct Steps final : PictureSink {
  void Begin(const PictureHeader&) override {}
  void Add(const PictureStep& step) override { steps.push_back(step); }
  std::vector<PictureStep> steps;
};

bool ValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    const std::size_t length = DecodeCharacter(text, i, cp);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

TEST(ReportText, LongTextsGoOutAsWholeCharactersInStepsThatFitAPictureStep) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "Łódź ";
  Steps sink;
  PictureDraw draw(sink);
  TextStyle style;
  style.anchor = TextAnchor::End;
  DrawPageText(draw, 500, 10, text, style);
  std::string joined;
  float x = 500 - TextWidth(text, style.size, style.weight);
  for (const PictureStep& step : sink.steps) {
    EXPECT_LE(step.Text().size(), kPictureTextCapacity);
    EXPECT_TRUE(ValidUtf8(step.Text()));
    EXPECT_EQ(step.anchor, TextAnchor::Start);
    EXPECT_NEAR(step.x, x, 1e-3);  // each piece starts where the one before ends
    x += TextWidth(step.Text(), style.size, style.weight);
    joined += step.Text();
  }
  EXPECT_EQ(joined, text);
  EXPECT_NEAR(x, 500, 1e-3);
}

TEST(ReportText, WrappedAndFittedTextsStayWithinTheirWidth) {
  const std::string cases[] = {
      "Chłodnia nr 3 – audyt grudniowy, magazyn leków, strefa B",
      "Bardzobardzobardzodługiesłowobezspacjiktóreniezmieścisięwjednejlinii",
      "/home/technik/pomiary/2026/grudzień/chłodnia-3/eksport-rejestratora.txt",
      "\xff\x01 broken bytes",
  };
  for (const std::string& text : cases) {
    std::string joined;
    for (const std::string& line : WrapLines(text, 150, 10, TextWeight::Bold)) {
      EXPECT_LE(TextWidth(line, 10, TextWeight::Bold), 150) << line;
      joined += line;
    }
    std::string spaceless = text;
    std::erase(spaceless, ' ');
    std::erase(joined, ' ');
    EXPECT_EQ(joined, spaceless);  // nothing lost but the spaces where lines break
    const std::string start = FitStart(text, 120, 9, TextWeight::Regular);
    const std::string end = FitEnd(text, 120, 9, TextWeight::Regular);
    EXPECT_LE(TextWidth(start, 9, TextWeight::Regular), 120) << start;
    EXPECT_LE(TextWidth(end, 9, TextWeight::Regular), 120) << end;
  }
  // A path cut keeps its end, the file's name.
  const std::string path = FitEnd(cases[2], 150, 9, TextWeight::Regular);
  EXPECT_EQ(path.rfind("…", 0), 0u);
  EXPECT_TRUE(path.ends_with("/eksport-rejestratora.txt")) << path;
}

TEST(ReportText, WidthsCountWhatThePlayersDraw) {
  EXPECT_EQ(TextWidth("", 10, TextWeight::Regular), 0);
  // An invalid byte and a control are drawn as '?'; a character the table lacks is wide.
  EXPECT_FLOAT_EQ(TextWidth("\xff", 10, TextWeight::Regular),
                  TextWidth("?", 10, TextWeight::Regular));
  EXPECT_FLOAT_EQ(TextWidth("\t", 10, TextWeight::Bold), TextWidth("?", 10, TextWeight::Bold));
  EXPECT_GT(TextWidth("漢", 10, TextWeight::Bold), TextWidth("W", 10, TextWeight::Bold));
  EXPECT_GT(TextWidth("W", 10, TextWeight::Bold), TextWidth("W", 10, TextWeight::Regular));
  EXPECT_EQ(CountCharacters("Łódź"), 4u);
}

TEST(ReportText, TitlesAPageCannotShowAreRefusedWithTheirReason) {
  std::string longTitle;
  for (int i = 0; i < 30; ++i) longTitle += "Chłodnia ";
  const struct {
    std::string title;
    const char* problem;  // a part of the reason, or "" for none
  } cases[] = {
      {"", ""},
      {"Chłodnia 3 – audyt", ""},
      {"A\tB", "control character"},
      {"A\x7f", "control character"},
      {"A\xc2\x85", "control character"},      // NEL, a C1 control
      {"A\xe2\x80\xae", "control character"},  // a direction override turns what follows
      {"A\xe2\x80\xa8", "control character"},
      {"A\xff", "not valid UTF-8"},
      {"A\xc3", "not valid UTF-8"},
      {"\xc0\xaf", "not valid UTF-8"},  // an overlong '/'
      {longTitle, "270 characters"},
  };
  for (const auto& c : cases) {
    const std::string problem = TitleProblem(c.title);
    if (c.problem[0] == '\0') {
      EXPECT_EQ(problem, "") << c.title;
    } else {
      EXPECT_NE(problem.find(c.problem), std::string::npos) << c.title << ": " << problem;
    }
  }
}

}  // namespace
}  // namespace zv
