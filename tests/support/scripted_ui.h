// A screen for tests: it expects each message in turn (text, icon, buttons), answers it, and
// fails the test on any message it did not expect. The screen states and questions are
// recorded as the operations left them, and every call is logged in order.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "link/user_interface.h"

namespace zv::test {

struct ExpectedMessage {
  std::string text;  // Windows-1250, as the program shows it
  MessageIcon icon;
  Answer answer = Answer::Ok;
  MessageButtons buttons = MessageButtons::Ok;
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

class ScriptedUi final : public UserInterface {
 public:
  ScriptedUi() = default;
  ~ScriptedUi() override;

  void Expect(std::string text, MessageIcon icon, Answer answer = Answer::Ok,
              MessageButtons buttons = MessageButtons::Ok);

  Answer ShowMessage(const char* text, MessageIcon icon, MessageButtons buttons) override;
  void LockPortChoice() override;
  int ChosenPortIndex() override { return chosenPort; }
  void ShowConnected(const LoggerInfo& info) override;
  void ShowDisconnected() override;
  void ShowSamplesLoaded() override;
  void RepaintPanel() override;
  int RunDownloadWindow(uint16_t range, Transfer& transfer) override;
  ConfigurationChoice ReadConfigurationChoice() override;
  bool AskExportPath(const char* proposedName) override;
  ExportFile* CreateExportFile() override;

  // Answers and knobs.
  int chosenPort = 0;
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
