#include "cli/terminal_ui.h"

#include <cstring>

#include "cli/terminal.h"
#include "cli/visible_text.h"
#include "link/messages.h"
#include "link/text1250.h"

namespace zv::cli {

namespace {

// Draws "[#####.....]  n/range bytes" on stderr after every block, only on a terminal.
class TerminalProgress final : public StepAction {
 public:
  TerminalProgress(uint16_t range, bool visible) : range_(range), visible_(visible) {}
  ~TerminalProgress() {
    if (visible_ && steps_ > 0) std::fputc('\n', stderr);
  }
  void Step() override {
    ++steps_;
    if (!visible_) return;
    const unsigned long bytes = steps_ * 32ul;
    // More blocks than the range covers keep the bar full.
    const unsigned long shown = range_ == 0 ? 0 : (bytes > range_ ? range_ : bytes);
    const int width = 40;
    const int filled = range_ == 0 ? width : static_cast<int>(shown * width / range_);
    char bar[width + 1];
    for (int i = 0; i < width; ++i) bar[i] = i < filled ? '#' : '.';
    bar[width] = '\0';
    std::fprintf(stderr, "\r[%s] %lu bytes", bar, bytes);
    std::fflush(stderr);
  }

 private:
  uint16_t range_;
  bool visible_;
  unsigned long steps_ = 0;
};

Question Identify(const char* text) {
  if (std::strcmp(text, msg::kEraseSamples.c_str()) == 0) return Question::EraseSamples;
  if (std::strcmp(text, msg::kMemoryFull.c_str()) == 0) return Question::MemoryFull;
  if (std::strcmp(text, msg::kModeChange.c_str()) == 0) return Question::ModeChange;
  return Question::Other;
}

const char* AnswerText(Question question, Answer answer) {
  switch (answer) {
    case Answer::Yes:
      return "yes (--erase)";
    case Answer::No:
      return "no (--keep)";
    case Answer::Ok:
      return question == Question::MemoryFull ? "OK (--when-full erase)"
                                              : "OK (--allow-mode-change)";
    case Answer::Cancel:
      break;
  }
  return "cancel";
}

Answer AnswerTo(Question question, const QuestionAnswers& answers) {
  switch (question) {
    case Question::EraseSamples:
      return answers.eraseSamples;
    case Question::MemoryFull:
      return answers.memoryFull;
    case Question::ModeChange:
      return answers.modeChange;
    default:
      return Answer::Cancel;
  }
}

}  // namespace

Answer TerminalUi::ShowMessage(const char* text, MessageIcon icon, MessageButtons buttons) {
  // A message may quote the logger's texts: its controls are shown, its line breaks kept.
  char utf8[1024];
  VisibleUtf8(text, TextStyle::Message, utf8, sizeof utf8);
  const bool failure = icon == MessageIcon::Exclamation || icon == MessageIcon::Stop;
  std::FILE* to = failure ? stderr : results_;
  std::fprintf(to, "%s\n", utf8);
  std::fflush(to);
  if (buttons == MessageButtons::Ok) return Answer::Ok;
  // A question is answered by the option for it; without one, with Cancel.
  const Question question = Identify(text);
  const Answer answer = AnswerTo(question, answers);
  std::fprintf(to, "  -> %s\n", AnswerText(question, answer));
  std::fflush(to);
  if (answer == Answer::Cancel) cancelled = question;
  return answer;
}

int TerminalUi::RunDownloadWindow(uint16_t range, Transfer& transfer) {
  TerminalProgress progress(range, StderrIsTerminal());
  return transfer.Run(progress) ? 1 : 0;
}

}  // namespace zv::cli
