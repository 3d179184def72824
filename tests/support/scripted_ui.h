// A screen for tests: it expects each message in turn (text, icon), answers it, and fails the
// test on any message it did not expect. Control changes are recorded as the window would
// hold them, and every call is logged in order.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "link/user_interface.h"

namespace zv::test {

struct ExpectedMessage {
  std::string text;  // Windows-1250, as the program shows it
  MessageIcon icon;
  Answer answer = Answer::Ok;
};

class ScriptedUi final : public UserInterface {
 public:
  ScriptedUi();
  ~ScriptedUi() override;

  void Expect(std::string text, MessageIcon icon, Answer answer = Answer::Ok);
  // End code returned by the download window: 1 runs the transfer and reports its result;
  // 0 simulates a close before the transfer started (the transfer is not run).
  bool closeDownloadWindow = false;

  Answer ShowMessage(const char* text, MessageIcon icon, MessageButtons buttons) override;
  void SetEnabled(ControlId id, bool enabled) override;
  void SetText(ControlId id, const char* text) override;
  std::size_t GetText(ControlId id, char* out, std::size_t capacity) override;
  void SetChecked(ControlId id, bool checked) override;
  bool IsChecked(ControlId id) override;
  void SelectItem(ControlId id, int index) override;
  int SelectedItem(ControlId id) override;
  void ShowStateIcon(bool connected) override;
  void RepaintPanel() override;
  int RunDownloadWindow(uint16_t range, Transfer& transfer) override;

  std::map<int, bool> enabled;
  std::map<int, std::string> text;
  std::map<int, bool> checked;
  std::map<int, int> selected;
  bool stateIconConnected = false;
  int repaints = 0;
  int downloadRange = -1;
  int progressSteps = 0;
  std::vector<std::string> log;  // "message <text>", "enable <id> <0|1>", ...

 private:
  std::deque<ExpectedMessage> expected_;
};

}  // namespace zv::test
