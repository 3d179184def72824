// A screen with no controls: the command line and the benchmarks run the link operations
// through it. Messages are answered cautiously and the download runs without a window.
#pragma once

#include "link/user_interface.h"

namespace zv {

class HeadlessUi : public UserInterface {
 public:
  Answer ShowMessage(const char*, MessageIcon, MessageButtons buttons) override {
    return buttons == MessageButtons::Ok ? Answer::Ok : Answer::Cancel;
  }
  void SetEnabled(ControlId, bool) override {}
  void SetText(ControlId, const char*) override {}
  std::size_t GetText(ControlId, char* out, std::size_t capacity) override {
    if (capacity > 0) out[0] = '\0';
    return 0;
  }
  void SetChecked(ControlId, bool) override {}
  bool IsChecked(ControlId) override { return false; }
  void SelectItem(ControlId, int) override {}
  int SelectedItem(ControlId) override { return 0; }
  void ShowStateIcon(bool) override {}
  void RepaintPanel() override {}
  int RunDownloadWindow(uint16_t, Transfer& transfer) override {
    struct NoProgress final : StepAction {
      void Step() override {}
    } progress;
    return transfer.Run(progress) ? 1 : 0;
  }
};

}  // namespace zv
