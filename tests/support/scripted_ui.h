// A screen for tests: it expects each message (text, icon) and each question in turn, answers
// the questions, and fails the test on anything it did not expect. The screen states and questions
// are recorded as the operations left them, and every call is logged in order.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "link/user_interface.h"
#include "samples/export_samples.h"

namespace zv::test {

// A message (text and icon) or, when `question` is set, a question and its answer.
struct ExpectedMessage {
  std::string text;  // Windows-1250, as the program shows it
  MessageIcon icon = MessageIcon::Information;
  bool isQuestion = false;
  Question question = Question::EraseSamples;
  Answer answer = Answer::Ok;
};

// An export file kept in memory; it can be told to fail where a real file can.
class MemoryExportFile final : public ExportFile {
 public:
  void Put(const char* bytes, std::size_t n) override { pending.append(bytes, n); }
  bool Commit() override {
    if (failCommit) return false;
    content = pending;
    committed = true;
    return true;
  }
  std::string pending;  // written but not yet committed
  std::string content;  // what a reader of the target sees
  bool committed = false;
  bool failCommit = false;
};

enum class ScreenState { Disconnected, Connected, SamplesLoaded };

class ScriptedUi final : public UserInterface, public ExportScreen {
 public:
  ScriptedUi() = default;
  ~ScriptedUi() override;

  void Expect(std::string text, MessageIcon icon);
  void ExpectQuestion(Question question, Answer answer);

  void ShowMessage(const char* text, MessageIcon icon) override;
  Answer Ask(Question question) override;
  void LockPortChoice() override;
  const char* ChosenPortName() override { return chosenPort.c_str(); }
  void ShowConnected(const LoggerInfo& info) override;
  void ShowDisconnected() override;
  void ShowSamplesLoaded() override;
  void RepaintPanel() override;
  DownloadOutcome RunDownloadWindow(uint16_t range, Transfer& transfer) override;
  ConfigurationChoice ReadConfigurationChoice() override;
  bool AskExportPath(const char* proposedName) override;
  ExportFile* CreateExportFile() override;

  // Answers and knobs.
  std::string chosenPort = "COM1";
  // End code of the download window: false runs the transfer and reports its result; true
  // simulates a close before the transfer started (the transfer is not run).
  bool closeDownloadWindow = false;
  ConfigurationChoice choice;
  bool cancelExportPath = false;
  bool failExportCreate = false;

  // What the operations left on screen.
  ScreenState state = ScreenState::Disconnected;
  bool portLocked = false;
  std::string shownIdentifier;  // the identifier the connected state showed
  int repaints = 0;
  int downloadRange = -1;
  int progressSteps = 0;
  std::string proposedExportName;
  MemoryExportFile exportFile;
  std::vector<std::string> log;  // "message <text>", "connected", "repaint", ...

 private:
  std::deque<ExpectedMessage> expected_;
};

}  // namespace zv::test
