// The main window: its record, its start-up and its message loop.
#pragma once

#include "app/control_ids.h"
#include "app/port_choices.h"
#include "app/win32_api.h"

namespace zv {

inline constexpr int kFirstControlId = ID_CONNECT;
inline constexpr int kControlSlots = ID_SIGNAL - ID_CONNECT + 1;

// Everything the window holds for the whole run of the program.
struct MainWindow {
  HINSTANCE instance = nullptr;
  HWND window = nullptr;
  HFONT arial = nullptr;
  HFONT tahoma = nullptr;
  HICON disconnectedPicture = nullptr;  // "icon2"
  HICON connectedPicture = nullptr;     // "icon3"
  HWND controls[kControlSlots] = {};    // by identifier; the group boxes are not held

  // The control of an identifier, or null for one the window does not hold.
  HWND Control(int id) const {
    const int slot = id - kFirstControlId;
    return slot >= 0 && slot < kControlSlots ? controls[slot] : nullptr;
  }
};

// Creates every control of the main window in its start-up state; the port list holds `ports`.
void CreateControls(MainWindow& main, const PortChoices& ports);

// The exit code of a program whose main window could not be made.
inline constexpr int kExitNoWindow = 1;

// Registers the class, creates the window and its controls, runs the message loop and
// releases the fonts. Returns the process exit code: 0, or kExitNoWindow when the window
// could not be made (after a message saying so).
int RunMainWindow(HINSTANCE instance);

}  // namespace zv
