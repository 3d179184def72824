#include "app/export_dialog_win32.h"

#include <commdlg.h>

#include "app/wide_text_win32.h"

namespace zv {

namespace {

// Pairs of a description and a pattern, ended by an empty pair.
constexpr wchar_t kFilters[] = L"Pliki Tekstowe\0*.txt\0Wszystkie Pliki\0*.*\0";

// The description lives for the whole run: the dialog writes the chosen filter into it, and
// the next export starts with that filter. Index 0 at start selects the first pair.
OPENFILENAMEW g_saveDialog = [] {
  OPENFILENAMEW d{};
  d.lStructSize = sizeof d;
  d.lpstrFilter = kFilters;
  d.nFilterIndex = 0;
  d.lpstrDefExt = L"txt";
  // No overwrite prompt and no checks beyond the dialog's own: an existing file is replaced.
  // The process's current folder stays where it was: a chosen folder on a USB stick would
  // otherwise stay busy, and the stick could not be ejected while the program runs.
  d.Flags = OFN_NOCHANGEDIR;
  return d;
}();

}  // namespace

bool AskSavePath(HWND owner, const char* proposedName, wchar_t (&path)[kExportPathCapacity]) {
  ToWide(proposedName, path, kExportPathCapacity);
  g_saveDialog.hwndOwner = owner;
  g_saveDialog.lpstrFile = path;
  g_saveDialog.nMaxFile = kExportPathCapacity;
  return GetSaveFileNameW(&g_saveDialog) != FALSE;
}

}  // namespace zv
