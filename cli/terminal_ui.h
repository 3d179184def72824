// The screen seam for a terminal: messages are printed in UTF-8, the controls do not exist,
// and the download window becomes a progress bar on stderr.
#pragma once

#include <cstdio>

#include "link/user_interface.h"

namespace zv::cli {

class TerminalUi final : public UserInterface {
 public:
  // Results go to `results` (stdout, or stderr when stdout carries the export file);
  // failures always go to stderr.
  explicit TerminalUi(std::FILE* results) : results_(results) {}

  Answer ShowMessage(const char* text, MessageIcon icon, MessageButtons buttons) override;
  void SetEnabled(ControlId, bool) override {}
  void SetText(ControlId, const char*) override {}
  std::size_t GetText(ControlId, char* out, std::size_t capacity) override;
  void SetChecked(ControlId, bool) override {}
  bool IsChecked(ControlId) override { return false; }
  void SelectItem(ControlId, int) override {}
  int SelectedItem(ControlId) override { return 0; }
  void ShowStateIcon(bool) override {}
  void RepaintPanel() override {}
  int RunDownloadWindow(uint16_t range, Transfer& transfer) override;

 private:
  std::FILE* results_;
};

}  // namespace zv::cli
