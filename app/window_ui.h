// The operations' view of the screen, played onto the real controls of the main window.
#pragma once

#include "app/main_window.h"
#include "link/user_interface.h"

namespace zv {

class WindowUi final : public UserInterface {
 public:
  explicit WindowUi(MainWindow& main) : main_(main) {}

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

 private:
  MainWindow& main_;
};

}  // namespace zv
