// Looks at the program's windows from outside: finding them, waiting for them, reading controls.
// Every read goes through calls that work across processes under Wine: WM_GETTEXT for an edit
// field (GetWindowText returns nothing across processes), CB_GET* for lists, BM_GETCHECK.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace zvd {

inline constexpr wchar_t kMainClass[] = L"Zorvant_2";
inline constexpr wchar_t kMainTitle[] = L"Zorvant_2";
inline constexpr DWORD kPollMs = 50;

// Polls `ready` every 50 ms until it holds or `timeout_ms` passed; true when it held.
bool WaitFor(DWORD timeout_ms, const std::function<bool()>& ready);

HWND FindMainWindow();
// True once the window's thread answers a sent message, i.e. it pumps messages again.
bool WaitIdle(HWND window, DWORD timeout_ms);

// The visible top-level dialog (#32770) owned by `owner` with exactly this caption, or null.
HWND FindOwnedDialog(HWND owner, const std::wstring& caption);
// Any visible top-level window owned by `owner`, or null; for "nothing is open" checks.
HWND FindAnyOwnedWindow(HWND owner);

std::wstring WindowCaption(HWND window);           // server-side caption (buttons, statics)
bool ReadEditText(HWND edit, std::wstring& text);  // WM_GETTEXT, for edit fields
bool ReadComboState(HWND combo, int& selected, int& count);
bool ReadComboItem(HWND combo, int index, std::wstring& text);

// Shows a text with its control characters visible, for the log: "a\r\nb" -> "a\\r\\nb".
std::wstring Visible(const std::wstring& text);

}  // namespace zvd
