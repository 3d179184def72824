// The modal progress window of the memory download (template IDD_DOWNLOAD).
#pragma once

#include <cstdint>

#include "app/win32_api.h"
#include "link/user_interface.h"

namespace zv {

// Shows the window with its bar over 0..range, runs the transfer once the window is on
// screen, and returns the window's end code: 1 for success, 0 for failure or a close before
// the transfer started, -1 when the window could not be opened.
int RunDownloadWindow(HINSTANCE instance, HWND owner, uint16_t range, Transfer& transfer);

}  // namespace zv
