#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>

namespace zv::test {

namespace {
class CountingStep final : public StepAction {
 public:
  explicit CountingStep(int& steps) : steps_(steps) {}
  void Step() override { ++steps_; }

 private:
  int& steps_;
};
}  // namespace

ScriptedUi::~ScriptedUi() {
  for (const ExpectedMessage& m : expected_) ADD_FAILURE() << "message never shown: " << m.text;
}

void ScriptedUi::Expect(std::string messageText, MessageIcon icon, Answer answer,
                        MessageButtons buttons) {
  expected_.push_back({std::move(messageText), icon, answer, buttons});
}

Answer ScriptedUi::ShowMessage(const char* messageText, MessageIcon icon, MessageButtons buttons) {
  log.push_back(std::string("message ") + messageText);
  if (expected_.empty()) {
    ADD_FAILURE() << "unexpected message: " << messageText;
    return Answer::Cancel;
  }
  const ExpectedMessage next = expected_.front();
  expected_.pop_front();
  EXPECT_EQ(next.text, messageText);
  EXPECT_EQ(static_cast<int>(next.icon), static_cast<int>(icon)) << "icon of " << messageText;
  EXPECT_EQ(static_cast<int>(next.buttons), static_cast<int>(buttons))
      << "buttons of " << messageText;
  return next.answer;
}

void ScriptedUi::LockPortChoice() {
  portLocked = true;
  log.push_back("lock port");
}

void ScriptedUi::ShowConnected(const LoggerInfo& info) {
  state = ScreenState::Connected;
  shownIdentifier = info.texts.identifier;
  log.push_back("connected");
}

void ScriptedUi::ShowDisconnected() {
  state = ScreenState::Disconnected;
  portLocked = false;
  shownIdentifier.clear();
  log.push_back("disconnected");
}

void ScriptedUi::ShowSamplesLoaded() {
  state = ScreenState::SamplesLoaded;
  log.push_back("samples loaded");
}

void ScriptedUi::RepaintPanel() {
  ++repaints;
  log.push_back("repaint");
}

int ScriptedUi::RunDownloadWindow(uint16_t range, Transfer& transfer) {
  downloadRange = range;
  log.push_back("download window");
  if (closeDownloadWindow) return 0;
  CountingStep step(progressSteps);
  return transfer.Run(step) ? 1 : 0;
}

ConfigurationChoice ScriptedUi::ReadConfigurationChoice() {
  log.push_back("read configuration");
  return choice;
}

bool ScriptedUi::AskExportPath(const char* proposedName) {
  proposedExportName = proposedName;
  log.push_back("ask export path");
  return !cancelExportPath;
}

ExportFile* ScriptedUi::CreateExportFile() {
  log.push_back("create export file");
  if (failExportCreate) return nullptr;
  exportFile.pending.clear();
  return &exportFile;
}

}  // namespace zv::test
