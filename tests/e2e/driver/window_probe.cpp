#include "window_probe.h"

#include <vector>

namespace zvd {

static constexpr DWORD kSendTimeoutMs = 2000;

bool WaitFor(DWORD timeout_ms, const std::function<bool()>& ready) {
  const ULONGLONG end = GetTickCount64() + timeout_ms;
  for (;;) {
    if (ready()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(kPollMs);
  }
}

HWND FindMainWindow() {
  return FindWindowW(kMainClass, kMainTitle);
}

bool WaitIdle(HWND window, DWORD timeout_ms) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeout_ms, &result) != 0;
}

namespace {
struct OwnedSearch {
  HWND owner;
  const std::wstring* caption;  // null: any visible owned window
  HWND found;
};

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<OwnedSearch*>(param);
  if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != search->owner) return TRUE;
  if (search->caption) {
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    if (std::wstring(cls) != L"#32770" || WindowCaption(window) != *search->caption) return TRUE;
  }
  search->found = window;
  return FALSE;
}
}  // namespace

HWND FindOwnedDialog(HWND owner, const std::wstring& caption) {
  OwnedSearch search{owner, &caption, nullptr};
  EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindAnyOwnedWindow(HWND owner) {
  OwnedSearch search{owner, nullptr, nullptr};
  EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WindowCaption(HWND window) {
  wchar_t text[1024] = {};
  const int n = GetWindowTextW(window, text, 1024);
  return std::wstring(text, n > 0 ? static_cast<size_t>(n) : 0);
}

bool ReadEditText(HWND edit, std::wstring& text) {
  std::vector<wchar_t> buffer(4096, L'\0');
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(edit, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                           SMTO_NORMAL, kSendTimeoutMs, &length)) {
    return false;
  }
  text.assign(buffer.data(), length < buffer.size() ? length : buffer.size() - 1);
  return true;
}

bool ReadComboState(HWND combo, int& selected, int& count) {
  DWORD_PTR sel = 0;
  DWORD_PTR cnt = 0;
  if (!SendMessageTimeoutW(combo, CB_GETCURSEL, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &sel) ||
      !SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &cnt)) {
    return false;
  }
  selected = static_cast<int>(static_cast<LRESULT>(sel));
  count = static_cast<int>(static_cast<LRESULT>(cnt));
  return true;
}

bool ReadComboItem(HWND combo, int index, std::wstring& text) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, index, 0, SMTO_NORMAL, kSendTimeoutMs,
                           &length) ||
      static_cast<LRESULT>(length) == CB_ERR || length > 4096) {
    return false;
  }
  std::vector<wchar_t> buffer(length + 1, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()),
                           SMTO_NORMAL, kSendTimeoutMs, &got) ||
      static_cast<LRESULT>(got) == CB_ERR) {
    return false;
  }
  text.assign(buffer.data(), got <= length ? got : length);
  return true;
}

std::wstring Visible(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    if (c == L'\r') {
      out += L"\\r";
    } else if (c == L'\n') {
      out += L"\\n";
    } else if (c == L'\t') {
      out += L"\\t";
    } else {
      out.push_back(c);
    }
  }
  return L"\"" + out + L"\"";
}

}  // namespace zvd
