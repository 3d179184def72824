// The screen seam of the program: the control states over the main window's controls, and
// the message boxes and modal windows the operations open over it.
#pragma once

#include "app/control_states.h"
#include "app/export_dialog_win32.h"
#include "app/export_file_win32.h"
#include "app/main_window_win32.h"
#include "app/window_controls_win32.h"
#include "samples/export_samples.h"

namespace zv {

// The controls live in a base of their own, listed first, so they exist before MainScreen
// takes its reference to them.
struct WindowControlsOwner {
  explicit WindowControlsOwner(MainWindow& main) : controls(main) {}
  WindowControls controls;
};

class WindowUi final : private WindowControlsOwner, public MainScreen, public ExportScreen {
 public:
  WindowUi(MainWindow& main, const PortChoices& ports)
      : WindowControlsOwner(main), MainScreen(controls, ports), main_(main) {}

  void ShowMessage(const char* text, MessageIcon icon) override;
  Answer Ask(Question question) override;
  DownloadOutcome RunDownloadWindow(uint16_t range, Transfer& transfer) override;
  bool AskExportPath(const char* proposedName) override;
  ExportFile* CreateExportFile() override;

 private:
  MainWindow& main_;
  wchar_t exportPath_[kExportPathCapacity] = {};  // the name proposed, then the path chosen
  Win32ExportFile exportFile_;
};

}  // namespace zv
