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

void ScriptedUi::Expect(std::string messageText, MessageIcon icon) {
  expected_.push_back({std::move(messageText), icon});
}

void ScriptedUi::ExpectQuestion(Question question, Answer answer) {
  ExpectedMessage next;
  next.text = "question " + std::to_string(static_cast<int>(question));
  next.isQuestion = true;
  next.question = question;
  next.answer = answer;
  expected_.push_back(next);
}

void ScriptedUi::ShowMessage(const char* messageText, MessageIcon icon) {
  log.push_back(std::string("message ") + messageText);
  if (expected_.empty() || expected_.front().isQuestion) {
    ADD_FAILURE() << "unexpected message: " << messageText;
    return;
  }
  const ExpectedMessage next = expected_.front();
  expected_.pop_front();
  EXPECT_EQ(next.text, messageText);
  EXPECT_EQ(static_cast<int>(next.icon), static_cast<int>(icon)) << "icon of " << messageText;
}

Answer ScriptedUi::Ask(Question question) {
  const std::string asked = "question " + std::to_string(static_cast<int>(question));
  log.push_back(asked);
  if (expected_.empty() || !expected_.front().isQuestion) {
    ADD_FAILURE() << "unexpected " << asked;
    return Answer::Cancel;
  }
  const ExpectedMessage next = expected_.front();
  expected_.pop_front();
  EXPECT_EQ(next.text, asked);
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

DownloadOutcome ScriptedUi::RunDownloadWindow(uint16_t range, Transfer& transfer) {
  downloadRange = range;
  log.push_back("download window");
  if (closeDownloadWindow) return DownloadOutcome::NotStarted;
  CountingStep step(progressSteps);
  return transfer.Run(step) ? DownloadOutcome::Succeeded : DownloadOutcome::Failed;
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
