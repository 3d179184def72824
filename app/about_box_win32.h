// The About box (template IDD_ABOUT).
#pragma once

#include "app/win32_api.h"

namespace zv {

// Runs the box modally over the owner and returns when it closes.
void ShowAboutBox(HINSTANCE instance, HWND owner);

}  // namespace zv
