#include "cli/terminal_ui.h"

#include <iterator>

#include "base/text1250.h"
#include "base/wire.h"
#include "cli/console.h"
#include "cli/process_guard.h"
#include "cli/visible_text.h"
#include "link/messages.h"

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
    const unsigned long bytes = steps_ * kBlockDataBytes;
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

// The question as the window would show it.
const char* QuestionText(Question question) {
  switch (question) {
    case Question::EraseSamples:
      return msg::kEraseSamples.c_str();
    case Question::MemoryFull:
      return msg::kMemoryFull.c_str();
    case Question::ModeChange:
      return msg::kModeChange.c_str();
  }
  return "";
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
  }
  return Answer::Cancel;
}

}  // namespace

void TerminalUi::ShowMessage(const char* text, MessageIcon icon) {
  const bool failure = icon == MessageIcon::Exclamation || icon == MessageIcon::Stop;
  Print(failure ? stderr : results_, text);
}

Answer TerminalUi::Ask(Question question) {
  // A stop request answers every question with Cancel: nothing more is sent but the stop.
  if (StopRequested()) return Given(question, Answer::Cancel);
  bool& asked = asked_[static_cast<std::size_t>(question) % std::size(asked_)];
  if (asked) {
    askedTwice = true;
    cancelled = question;
    return Given(question, Answer::Cancel);
  }
  asked = true;
  Print(results_, QuestionText(question));
  const Answer answer = AnswerTo(question, answers);
  std::fprintf(results_, "  -> %s\n", AnswerText(question, answer));
  std::fflush(results_);
  if (answer == Answer::Cancel) cancelled = question;
  return Given(question, answer);
}

Answer TerminalUi::Given(Question question, Answer answer) {
  if (givenCount < std::size(given)) given[givenCount++] = {question, answer};
  return answer;
}

void TerminalUi::Print(std::FILE* to, const char* text) {
  // A message may quote the logger's texts: its controls are shown, its line breaks kept.
  char utf8[1024];
  VisibleUtf8(text, SafeStyle::Message, utf8, sizeof utf8);
  std::fprintf(to, "%s\n", utf8);
  std::fflush(to);
}

DownloadOutcome TerminalUi::RunDownloadWindow(uint16_t range, Transfer& transfer) {
  TerminalProgress progress(range, StderrIsTerminal());
  return transfer.Run(progress) ? DownloadOutcome::Succeeded : DownloadOutcome::Failed;
}

}  // namespace zv::cli
