// The main window's real controls behind the Controls calls of the state logic.
#pragma once

#include "app/controls.h"
#include "app/main_window_win32.h"

namespace zv {

class WindowControls final : public Controls {
 public:
  explicit WindowControls(MainWindow& main) : main_(main) {}

  void SetEnabled(ControlId id, bool enabled) override;
  void SetText(ControlId id, const char* text) override;
  std::size_t GetText(ControlId id, char* out, std::size_t capacity) override;
  void SetChecked(ControlId id, bool checked) override;
  bool IsChecked(ControlId id) override;
  void SelectItem(ControlId id, int index) override;
  int SelectedItem(ControlId id) override;
  void ShowStateIcon(bool connected) override;
  void RepaintPanel() override;

 private:
  MainWindow& main_;
};

}  // namespace zv
