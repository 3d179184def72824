// The screen seam of the program: the control states over the main window's controls, and
// the message boxes and modal windows the operations open over it.
#pragma once

#include "app/control_states.h"
#include "app/export_dialog.h"
#include "app/export_file_win32.h"
#include "app/main_window.h"
#include "app/window_controls.h"

namespace zv {

class WindowUi final : public MainScreen {
 public:
  explicit WindowUi(MainWindow& main) : MainScreen(controls_), main_(main), controls_(main) {}

  Answer ShowMessage(const char* text, MessageIcon icon, MessageButtons buttons) override;
  int RunDownloadWindow(uint16_t range, Transfer& transfer) override;
  bool AskExportPath(const char* proposedName) override;
  ExportFile* CreateExportFile() override;

 private:
  MainWindow& main_;
  WindowControls controls_;
  wchar_t exportPath_[kExportPathCapacity] = {};  // the name proposed, then the path chosen
  Win32ExportFile exportFile_;
};

}  // namespace zv
