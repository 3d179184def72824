// The export's save dialog: the platform's "save as" window over the main window.
#pragma once

#include <cstddef>

#include "app/win32_api.h"

namespace zv {

// The dialog's name field, the terminating NUL included.
inline constexpr std::size_t kExportPathCapacity = 300;

// Shows the dialog with the proposed name (Windows-1250) in its name field; on OK `path`
// holds the chosen full path. False when the user cancels or the dialog fails. The filter the
// user picks is kept for the next export in the same run.
bool AskSavePath(HWND owner, const char* proposedName, wchar_t (&path)[kExportPathCapacity]);

}  // namespace zv
