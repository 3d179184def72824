// The modal progress window of the memory download (template IDD_DOWNLOAD).
#pragma once

#include <cstdint>

#include "app/win32_api.h"
#include "link/user_interface.h"

namespace zv {

// Shows the window with its bar over 0..range, runs the transfer once the window is on
// screen, and says how it ended (a window that cannot open has not started).
DownloadOutcome RunDownloadWindow(HINSTANCE instance, HWND owner, uint16_t range,
                                  Transfer& transfer);

}  // namespace zv
