#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli/terminal_ui.h"

namespace zv::cli {
namespace {

// What the terminal answers each question with, from the options; each question once.
TEST(TerminalUiAsk, EachQuestionTakesItsOptionsAnswerOnce) {
  struct Case {
    const char* name;
    QuestionAnswers options;
    Question question;
    Answer first;
    const char* said;  // what the terminal prints as the answer
  };
  QuestionAnswers erase;
  erase.eraseSamples = Answer::Yes;
  QuestionAnswers keep;
  keep.eraseSamples = Answer::No;
  QuestionAnswers all;
  all.memoryFull = Answer::Ok;
  all.modeChange = Answer::Ok;
  const Case cases[] = {
      {"--erase", erase, Question::EraseSamples, Answer::Yes, "yes (--erase)"},
      {"--keep", keep, Question::EraseSamples, Answer::No, "no (--keep)"},
      {"--when-full erase", all, Question::MemoryFull, Answer::Ok, "OK (--when-full erase)"},
      {"--allow-mode-change", all, Question::ModeChange, Answer::Ok, "OK (--allow-mode-change)"},
      {"no option for a full memory", keep, Question::MemoryFull, Answer::Cancel, "cancel"},
      {"no option for a mode change", erase, Question::ModeChange, Answer::Cancel, "cancel"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    TerminalUi ui(out);
    ui.answers = c.options;
    EXPECT_EQ(ui.Ask(c.question), c.first);
    EXPECT_FALSE(ui.askedTwice);
    // The same question again (a memory that erasing cannot empty) is never answered twice.
    EXPECT_EQ(ui.Ask(c.question), Answer::Cancel);
    EXPECT_TRUE(ui.askedTwice);
    EXPECT_EQ(ui.cancelled, c.question);
    char printed[512] = {};
    std::rewind(out);
    const std::size_t n = std::fread(printed, 1, sizeof printed - 1, out);
    std::fclose(out);
    EXPECT_NE(std::string(printed, n).find(std::string("-> ") + c.said), std::string::npos);
  }
}

}  // namespace
}  // namespace zv::cli
