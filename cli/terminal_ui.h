// The screen seam for a terminal: messages are printed in UTF-8 (results on stdout or stderr,
// failures on stderr), the download window becomes a progress bar on stderr, and questions
// are answered from the command line's options.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>

#include "link/user_interface.h"

namespace zv::cli {

// The configuration write's questions, each answered by an option; Cancel when none answers it.
struct QuestionAnswers {
  Answer eraseSamples = Answer::Cancel;  // Yes: --erase; No: --keep
  Answer memoryFull = Answer::Cancel;    // OK: --when-full erase
  Answer modeChange = Answer::Cancel;    // OK: --allow-mode-change
};

class TerminalUi final : public UserInterface {
 public:
  // Results go to `results` (stdout, or stderr when stdout carries the export file);
  // failures always go to stderr.
  explicit TerminalUi(std::FILE* results) : results_(results) {}

  void ShowMessage(const char* text, MessageIcon icon) override;
  // Prints the question and the answer its option gives.
  Answer Ask(Question question) override;
  DownloadOutcome RunDownloadWindow(uint16_t range, Transfer& transfer) override;
  ConfigurationChoice ReadConfigurationChoice() override { return choice; }

  // What the configuration write reads as the user's choice, and the answers to its questions.
  ConfigurationChoice choice;
  QuestionAnswers answers;
  // The question last answered with Cancel, so the command can say which option would go on.
  std::optional<Question> cancelled;
  // A question that came back after it was answered: an option answers once, so the second
  // time is a Cancel (the memory-full question returns when erasing cannot make room).
  bool askedTwice = false;
  // Every question asked and the answer given, in order (each at most twice).
  struct GivenAnswer {
    Question question;
    Answer answer;
  };
  GivenAnswer given[6] = {};
  std::size_t givenCount = 0;

 private:
  void Print(std::FILE* to, const char* text);

  Answer Given(Question question, Answer answer);

  bool asked_[3] = {};  // by Question
  std::FILE* results_;
};

}  // namespace zv::cli
