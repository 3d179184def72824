#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>

#include <cstring>

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

ScriptedUi::ScriptedUi() {
  // The start-up state of the main window.
  for (int id : {ID_CONNECT, ID_PORT, ID_START_DELAY, ID_INTERVAL, ID_DURATION, ID_CHANNELS,
                 ID_ABOUT, ID_LOGGER_ID, ID_SIGNAL}) {
    enabled[id] = true;
  }
  for (int id : {ID_READ, ID_EXPORT, ID_CHART, ID_SAVE_CONFIG}) enabled[id] = false;
  for (int id : {ID_PORT, ID_START_DELAY, ID_INTERVAL, ID_DURATION, ID_CHANNELS}) selected[id] = 0;
}

ScriptedUi::~ScriptedUi() {
  for (const ExpectedMessage& m : expected_) ADD_FAILURE() << "message never shown: " << m.text;
}

void ScriptedUi::Expect(std::string messageText, MessageIcon icon, Answer answer) {
  expected_.push_back({std::move(messageText), icon, answer});
}

Answer ScriptedUi::ShowMessage(const char* messageText, MessageIcon icon, MessageButtons) {
  log.push_back(std::string("message ") + messageText);
  if (expected_.empty()) {
    ADD_FAILURE() << "unexpected message: " << messageText;
    return Answer::Cancel;
  }
  const ExpectedMessage next = expected_.front();
  expected_.pop_front();
  EXPECT_EQ(next.text, messageText);
  EXPECT_EQ(static_cast<int>(next.icon), static_cast<int>(icon)) << "icon of " << messageText;
  return next.answer;
}

void ScriptedUi::SetEnabled(ControlId id, bool on) {
  enabled[id] = on;
  log.push_back("enable " + std::to_string(id) + (on ? " 1" : " 0"));
}

void ScriptedUi::SetText(ControlId id, const char* value) {
  text[id] = value;
  log.push_back("text " + std::to_string(id) + " " + value);
}

std::size_t ScriptedUi::GetText(ControlId id, char* out, std::size_t capacity) {
  if (capacity == 0) return 0;
  const std::string& value = text[id];
  const std::size_t n = value.size() < capacity - 1 ? value.size() : capacity - 1;
  std::memcpy(out, value.data(), n);
  out[n] = '\0';
  return n;
}

void ScriptedUi::SetChecked(ControlId id, bool on) {
  checked[id] = on;
  log.push_back("check " + std::to_string(id) + (on ? " 1" : " 0"));
}

bool ScriptedUi::IsChecked(ControlId id) {
  return checked[id];
}

void ScriptedUi::SelectItem(ControlId id, int index) {
  selected[id] = index;
  log.push_back("select " + std::to_string(id) + " " + std::to_string(index));
}

int ScriptedUi::SelectedItem(ControlId id) {
  return selected[id];
}

void ScriptedUi::ShowStateIcon(bool connected) {
  stateIconConnected = connected;
  log.push_back(connected ? "icon connected" : "icon disconnected");
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

}  // namespace zv::test
