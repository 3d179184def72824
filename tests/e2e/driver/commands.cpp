#include "commands.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "app/control_ids.h"
#include "driver_log.h"
#include "file_commands.h"
#include "icon_match.h"
#include "window_probe.h"

namespace zvd {
namespace {

using Words = std::vector<std::wstring>;
using Handler = bool (*)(DriverState&, const Words&, std::wstring&);

constexpr wchar_t kBoxCaption[] = L"Zorvant_2";
constexpr int kMessageTextId = 0xFFFF;
// The main window's controls that can be enabled or disabled (group boxes and the picture aside).
constexpr int kSwitchableIds[] = {
    zv::ID_CONNECT,  zv::ID_PORT,      zv::ID_START_DELAY, zv::ID_INTERVAL, zv::ID_DURATION,
    zv::ID_CHANNELS, zv::ID_READ,      zv::ID_EXPORT,      zv::ID_CHART,    zv::ID_SAVE_CONFIG,
    zv::ID_ABOUT,    zv::ID_LOGGER_ID, zv::ID_SIGNAL};

bool ParseInt(const std::wstring& word, int& value) {
  if (word.empty()) return false;
  wchar_t* end = nullptr;
  const long parsed = std::wcstol(word.c_str(), &end, 0);
  if (*end != L'\0') return false;
  value = static_cast<int>(parsed);
  return true;
}

bool NeedMain(DriverState& s, std::wstring& failure) {
  if (s.main && IsWindow(s.main)) return true;
  failure = L"the main window is not there (missing wait-main, or the program ended)";
  return false;
}

bool Control(DriverState& s, const std::wstring& word, HWND& control, std::wstring& failure) {
  int id = 0;
  if (!NeedMain(s, failure)) return false;
  if (!ParseInt(word, id)) {
    failure = L"not a control id: " + word;
    return false;
  }
  control = GetDlgItem(s.main, id);
  if (!control) failure = L"the main window has no control " + word;
  return control != nullptr;
}

// Waits until the program pumps messages again, then polls `check` (which fills `seen`).
bool Expect(DriverState& s, const std::function<bool(std::wstring&)>& check,
            const std::wstring& wanted, std::wstring& failure) {
  // Twice: the first answer may come before messages posted earlier are taken from the queue.
  if (s.main && IsWindow(s.main)) WaitIdle(s.main, s.timeout_ms) && WaitIdle(s.main, s.timeout_ms);
  std::wstring seen;
  if (WaitFor(s.timeout_ms, [&] { return check(seen); })) return true;
  failure = L"expected " + wanted + L", saw " + seen;
  return false;
}

bool ArgCount(const Words& w, size_t low, size_t high, std::wstring& failure) {
  if (w.size() - 1 >= low && w.size() - 1 <= high) return true;
  failure = L"wrong number of arguments for " + w[0];
  return false;
}

bool Flag(const std::wstring& word, bool& flag, std::wstring& failure) {
  if (word == L"0" || word == L"1") {
    flag = word == L"1";
    return true;
  }
  failure = L"expected 0 or 1, got " + word;
  return false;
}

std::vector<IconCandidate> CandidatesFor(const DriverState& s, const std::wstring& name) {
  for (const auto& system : SystemIcons()) {
    if (system.name == name) return SystemIcons();
  }
  return ResourceIcons(s.exe_path, {L"icon0", L"icon1", L"icon2", L"icon3"});
}

bool IconIs(HWND picture, const std::vector<IconCandidate>& candidates, const std::wstring& name,
            std::wstring& seen) {
  const IconVerdict v = MatchIcon(picture, candidates);
  seen = L"icon " + (v.best.empty() ? L"(none captured)" : v.best) + L" (" +
         std::to_wstring(static_cast<int>(v.mismatch * 100)) + L"% off, next " +
         std::to_wstring(static_cast<int>(v.runner_up * 100)) + L"%)";
  // Under Wine the same icon drawn the same way matches exactly; leave room for a stray pixel.
  return v.best == name && v.mismatch <= 0.02 && v.runner_up >= 0.03;
}

HWND IconChild(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) return child;
  }
  return nullptr;
}

// A control's enabled state, waited for like every expectation.
bool ExpectEnabledState(DriverState& s, HWND control, bool wanted, std::wstring& failure) {
  return Expect(
      s,
      [&](std::wstring& seen) {
        const bool enabled = IsWindowEnabled(control) != FALSE;
        seen = enabled ? L"enabled" : L"disabled";
        return enabled == wanted;
      },
      wanted ? L"enabled" : L"disabled", failure);
}

// A check box's tick, asked across processes.
bool ExpectTick(DriverState& s, HWND box, bool wanted, std::wstring& failure) {
  return Expect(
      s,
      [&](std::wstring& seen) {
        DWORD_PTR state = 0;
        if (!SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_NORMAL, 2000, &state)) {
          return seen = L"(no answer)", false;
        }
        seen = state == BST_CHECKED ? L"ticked" : L"not ticked";
        return (state == BST_CHECKED) == wanted;
      },
      wanted ? L"ticked" : L"not ticked", failure);
}

// ---- the commands ----

bool WaitMain(DriverState& s, const Words& w, std::wstring& failure) {
  if (!ArgCount(w, 0, 1, failure)) return false;
  int ms = static_cast<int>(s.timeout_ms);
  if (w.size() == 2 && !ParseInt(w[1], ms)) return failure = L"bad time-out", false;
  const bool found = WaitFor(static_cast<DWORD>(ms), [&] {
    s.main = FindMainWindow();
    return s.main && IsWindowVisible(s.main);
  });
  if (!found) return failure = L"no visible main window \"Zorvant_2\"", false;
  if (!WaitIdle(s.main, static_cast<DWORD>(ms))) return failure = L"main window never idle", false;
  return true;
}

bool WaitIdleCmd(DriverState& s, const Words& w, std::wstring& failure) {
  if (!ArgCount(w, 0, 0, failure) || !NeedMain(s, failure)) return false;
  if (WaitIdle(s.main, s.timeout_ms)) return true;
  failure = L"the program did not come back to its message loop";
  return false;
}

// The main window answers a sent message within MS, TIMES times half a second apart: during a
// long download Windows must not take the program for hung (and offer to kill it).
bool ExpectResponsive(DriverState& s, const Words& w, std::wstring& failure) {
  int ms = 0;
  int times = 0;
  if (!ArgCount(w, 2, 2, failure) || !ParseInt(w[1], ms) || !ParseInt(w[2], times) || ms <= 0 ||
      times <= 0) {
    return failure = L"usage: expect-responsive MS TIMES", false;
  }
  if (!NeedMain(s, failure)) return false;
  for (int i = 1; i <= times; ++i) {
    const ULONGLONG start = GetTickCount64();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(s.main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, static_cast<UINT>(ms),
                             &result)) {
      return failure = L"no answer within " + w[1] + L" ms, try " + std::to_wstring(i), false;
    }
    Log(L"answered in " + std::to_wstring(GetTickCount64() - start) + L" ms");
    if (i < times) Sleep(500);
  }
  return true;
}

bool Click(DriverState& s, const Words& w, std::wstring& failure) {
  HWND control = nullptr;
  if (!ArgCount(w, 1, 1, failure) || !Control(s, w[1], control, failure)) return false;
  WaitIdle(s.main, s.timeout_ms);
  if (!IsWindowEnabled(control)) return failure = L"control " + w[1] + L" is disabled", false;
  // Posted, not sent: a sent click would block while the program sits in a message box.
  PostMessageW(control, BM_CLICK, 0, 0);
  return true;
}

bool ExpectText(DriverState& s, const Words& w, std::wstring& failure) {
  HWND control = nullptr;
  if (!ArgCount(w, 2, 2, failure) || !Control(s, w[1], control, failure)) return false;
  return Expect(
      s,
      [&](std::wstring& seen) {
        seen = Visible(WindowCaption(control));
        return WindowCaption(control) == w[2];
      },
      Visible(w[2]), failure);
}

bool ExpectEdit(DriverState& s, const Words& w, std::wstring& failure) {
  HWND control = nullptr;
  if (!ArgCount(w, 2, 2, failure) || !Control(s, w[1], control, failure)) return false;
  return Expect(
      s,
      [&](std::wstring& seen) {
        std::wstring text;
        if (!ReadEditText(control, text)) return seen = L"(no answer)", false;
        seen = Visible(text);
        return text == w[2];
      },
      Visible(w[2]), failure);
}

bool ExpectEnabled(DriverState& s, const Words& w, std::wstring& failure) {
  HWND control = nullptr;
  bool wanted = false;
  if (!ArgCount(w, 2, 2, failure) || !Control(s, w[1], control, failure) ||
      !Flag(w[2], wanted, failure)) {
    return false;
  }
  return ExpectEnabledState(s, control, wanted, failure);
}

bool ExpectEnabledOnly(DriverState& s, const Words& w, std::wstring& failure) {
  if (!NeedMain(s, failure)) return false;
  std::vector<int> wanted;
  for (size_t i = 1; i < w.size(); ++i) {
    int id = 0;
    if (!ParseInt(w[i], id)) return failure = L"not a control id: " + w[i], false;
    wanted.push_back(id);
  }
  return Expect(
      s,
      [&](std::wstring& seen) {
        seen.clear();
        for (int id : kSwitchableIds) {
          const bool should = std::find(wanted.begin(), wanted.end(), id) != wanted.end();
          const bool is = IsWindowEnabled(GetDlgItem(s.main, id)) != FALSE;
          if (should != is) seen += std::to_wstring(id) + (is ? L" enabled; " : L" disabled; ");
        }
        return seen.empty();
      },
      L"exactly the listed controls enabled", failure);
}

bool ExpectList(DriverState& s, const Words& w, std::wstring& failure) {
  HWND control = nullptr;
  int sel = 0;
  int count = 0;
  if (!ArgCount(w, 3, 4, failure) || !Control(s, w[1], control, failure)) return false;
  if (!ParseInt(w[2], sel) || !ParseInt(w[3], count)) return failure = L"bad numbers", false;
  return Expect(
      s,
      [&](std::wstring& seen) {
        int is_sel = -2;
        int is_count = -2;
        std::wstring text;
        if (!ReadComboState(control, is_sel, is_count)) return seen = L"(no answer)", false;
        if (is_sel >= 0) ReadComboItem(control, is_sel, text);
        seen = L"selection " + std::to_wstring(is_sel) + L" of " + std::to_wstring(is_count) +
               L" " + Visible(text);
        const bool holds = is_sel == sel && is_count == count && (w.size() < 5 || text == w[4]);
        // A list of another length says which items it holds, so the log shows what came in.
        for (int i = 0; !holds && is_count != count && i < is_count && i < 40; ++i) {
          std::wstring item;
          ReadComboItem(control, i, item);
          seen += (i == 0 ? L"; items " : L", ") + Visible(item);
        }
        return holds;
      },
      L"selection " + w[2] + L" of " + w[3] + (w.size() == 5 ? L" " + Visible(w[4]) : L""),
      failure);
}

bool ExpectItem(DriverState& s, const Words& w, std::wstring& failure) {
  HWND control = nullptr;
  int index = 0;
  if (!ArgCount(w, 3, 3, failure) || !Control(s, w[1], control, failure)) return false;
  if (!ParseInt(w[2], index)) return failure = L"bad index", false;
  return Expect(
      s,
      [&](std::wstring& seen) {
        std::wstring text;
        if (!ReadComboItem(control, index, text)) return seen = L"(no such item)", false;
        seen = Visible(text);
        return text == w[3];
      },
      Visible(w[3]), failure);
}

// Chooses a list item as the user's pick would leave it; the program reads the selection later.
bool Select(DriverState& s, const Words& w, std::wstring& failure) {
  HWND control = nullptr;
  int index = 0;
  if (!ArgCount(w, 2, 2, failure) || !Control(s, w[1], control, failure)) return false;
  if (!ParseInt(w[2], index)) return failure = L"bad index", false;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(control, CB_SETCURSEL, index, 0, SMTO_NORMAL, s.timeout_ms, &result) ||
      static_cast<LRESULT>(result) != index) {
    return failure = L"cannot select item " + w[2], false;
  }
  return true;
}

// Replaces the edit field's text as typing would leave it; the program reads it later.
bool SetEdit(DriverState& s, const Words& w, std::wstring& failure) {
  HWND control = nullptr;
  if (!ArgCount(w, 2, 2, failure) || !Control(s, w[1], control, failure)) return false;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w[2].c_str()),
                           SMTO_NORMAL, s.timeout_ms, &result) ||
      result != TRUE) {
    return failure = L"cannot set the text of " + w[1], false;
  }
  return true;
}

bool ExpectCheck(DriverState& s, const Words& w, std::wstring& failure) {
  HWND control = nullptr;
  bool wanted = false;
  if (!ArgCount(w, 2, 2, failure) || !Control(s, w[1], control, failure) ||
      !Flag(w[2], wanted, failure)) {
    return false;
  }
  return ExpectTick(s, control, wanted, failure);
}

bool ExpectIcon(DriverState& s, const Words& w, std::wstring& failure) {
  HWND control = nullptr;
  if (!ArgCount(w, 2, 2, failure) || !Control(s, w[1], control, failure)) return false;
  const auto candidates = CandidatesFor(s, w[2]);
  if (candidates.empty()) return failure = L"no icons to compare (is --exe given?)", false;
  return Expect(
      s, [&](std::wstring& seen) { return IconIs(control, candidates, w[2], seen); },
      L"icon " + w[2], failure);
}

bool ExpectMessage(DriverState& s, const Words& w, std::wstring& failure) {
  if (!ArgCount(w, 2, 2, failure) || !NeedMain(s, failure)) return false;
  const auto candidates = SystemIcons();
  return Expect(
      s,
      [&](std::wstring& seen) {
        HWND box = FindOwnedDialog(s.main, kBoxCaption);
        if (!box) return seen = L"no message box", false;
        const std::wstring text = WindowCaption(GetDlgItem(box, kMessageTextId));
        seen = L"message " + Visible(text);
        if (text != w[2]) return false;
        if (w[1] == L"-") return true;
        HWND picture = IconChild(box);
        if (!picture) return seen += L" without icon", false;
        std::wstring icon;
        const bool same = IconIs(picture, candidates, w[1], icon);
        seen += L" with " + icon;
        return same;
      },
      L"message " + Visible(w[2]) + L" with icon " + w[1], failure);
}

bool Answer(DriverState& s, const Words& w, std::wstring& failure) {
  int id = 0;
  if (!ArgCount(w, 1, 1, failure) || !NeedMain(s, failure)) return false;
  if (!ParseInt(w[1], id)) return failure = L"bad button id", false;
  HWND box = nullptr;
  if (!WaitFor(s.timeout_ms, [&] { return (box = FindOwnedDialog(s.main, kBoxCaption)); })) {
    return failure = L"no message box to answer", false;
  }
  HWND button = GetDlgItem(box, id);
  if (!button) return failure = L"the message box has no button " + w[1], false;
  PostMessageW(button, BM_CLICK, 0, 0);
  if (WaitFor(s.timeout_ms, [&] { return !IsWindow(box) || !IsWindowVisible(box); })) return true;
  failure = L"the message box stayed open";
  return false;
}

bool ExpectNoMessage(DriverState& s, const Words& w, std::wstring& failure) {
  if (!ArgCount(w, 0, 0, failure) || !NeedMain(s, failure)) return false;
  WaitIdle(s.main, s.timeout_ms);
  HWND open = FindAnyOwnedWindow(s.main);
  if (!open) return true;
  failure = L"a window is open: " + Visible(WindowCaption(open));
  HWND text = GetDlgItem(open, kMessageTextId);
  if (text) failure += L" saying " + Visible(WindowCaption(text));
  return false;
}

bool ExpectDialog(DriverState& s, const Words& w, std::wstring& failure) {
  if (!ArgCount(w, 1, 1, failure) || !NeedMain(s, failure)) return false;
  // No idle wait: the download window holds the program's thread while it transfers.
  if (WaitFor(s.timeout_ms, [&] { return FindOwnedDialog(s.main, w[1]) != nullptr; })) {
    return true;
  }
  failure = L"no window " + Visible(w[1]);
  return false;
}

bool ExpectNoDialog(DriverState& s, const Words& w, std::wstring& failure) {
  if (!ArgCount(w, 1, 1, failure) || !NeedMain(s, failure)) return false;
  if (WaitFor(s.timeout_ms, [&] { return FindOwnedDialog(s.main, w[1]) == nullptr; })) {
    return true;
  }
  failure = L"the window " + Visible(w[1]) + L" is still open";
  return false;
}

bool FindDialogFor(DriverState& s, const Words& w, HWND& dialog, std::wstring& failure) {
  if (!NeedMain(s, failure)) return false;
  if (WaitFor(s.timeout_ms, [&] { return (dialog = FindOwnedDialog(s.main, w[1])) != nullptr; })) {
    WaitIdle(dialog, s.timeout_ms);
    return true;
  }
  failure = L"no window " + Visible(w[1]);
  return false;
}

bool DialogClick(DriverState& s, const Words& w, std::wstring& failure) {
  HWND dialog = nullptr;
  int id = 0;
  if (!ArgCount(w, 2, 2, failure) || !FindDialogFor(s, w, dialog, failure)) return false;
  if (!ParseInt(w[2], id) || !GetDlgItem(dialog, id)) return failure = L"no button " + w[2], false;
  PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
  return true;
}

bool DialogClose(DriverState& s, const Words& w, std::wstring& failure) {
  HWND dialog = nullptr;
  if (!ArgCount(w, 1, 1, failure) || !FindDialogFor(s, w, dialog, failure)) return false;
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);  // the caption's close box
  return true;
}

bool DialogKey(DriverState& s, const Words& w, std::wstring& failure) {
  HWND dialog = nullptr;
  if (!ArgCount(w, 2, 2, failure) || !FindDialogFor(s, w, dialog, failure)) return false;
  WPARAM key = 0;
  if (w[2] == L"esc") {
    key = VK_ESCAPE;
  } else if (w[2] == L"enter") {
    key = VK_RETURN;
  } else {
    return failure = L"unknown key " + w[2], false;
  }
  // The dialog's own loop turns the key into its command, as for a real key press.
  PostMessageW(dialog, WM_KEYDOWN, key, 1);
  PostMessageW(dialog, WM_KEYUP, key, 0xC0000001);
  // The first answer may come before the posted keys are taken; the second comes after.
  WaitIdle(dialog, s.timeout_ms);
  WaitIdle(dialog, s.timeout_ms);
  return true;
}

bool CloseMain(DriverState& s, const Words& w, std::wstring& failure) {
  if (!ArgCount(w, 0, 0, failure) || !NeedMain(s, failure)) return false;
  PostMessageW(s.main, WM_SYSCOMMAND, SC_CLOSE, 0);
  return true;
}

bool WaitExit(DriverState& s, const Words& w, std::wstring& failure) {
  if (!ArgCount(w, 0, 1, failure)) return false;
  int ms = static_cast<int>(s.timeout_ms);
  if (w.size() == 2 && !ParseInt(w[1], ms)) return failure = L"bad time-out", false;
  if (WaitFor(static_cast<DWORD>(ms), [&] { return !IsWindow(s.main); })) return true;
  failure = L"the main window is still there";
  return false;
}

bool Size(DriverState& s, const Words& w, std::wstring& failure) {
  int width = 0;
  int height = 0;
  if (!ArgCount(w, 2, 2, failure) || !NeedMain(s, failure)) return false;
  if (!ParseInt(w[1], width) || !ParseInt(w[2], height)) return failure = L"bad size", false;
  SetWindowPos(s.main, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

bool SysCommand(DriverState& s, const Words& w, std::wstring& failure) {
  if (!ArgCount(w, 0, 0, failure) || !NeedMain(s, failure)) return false;
  const WPARAM command = w[0] == L"maximize"   ? SC_MAXIMIZE
                         : w[0] == L"minimize" ? SC_MINIMIZE
                                               : SC_RESTORE;
  PostMessageW(s.main, WM_SYSCOMMAND, command, 0);
  return true;
}

bool ExpectSize(DriverState& s, const Words& w, std::wstring& failure) {
  int width = 0;
  int height = 0;
  if (!ArgCount(w, 2, 2, failure) || !NeedMain(s, failure)) return false;
  if (!ParseInt(w[1], width) || !ParseInt(w[2], height)) return failure = L"bad size", false;
  return Expect(
      s,
      [&](std::wstring& seen) {
        RECT r = {};
        GetWindowRect(s.main, &r);
        seen = std::to_wstring(r.right - r.left) + L"x" + std::to_wstring(r.bottom - r.top);
        return r.right - r.left == width && r.bottom - r.top == height;
      },
      w[1] + L"x" + w[2], failure);
}

bool ExpectMinimized(DriverState& s, const Words& w, std::wstring& failure) {
  bool wanted = true;
  if (!ArgCount(w, 0, 1, failure) || !NeedMain(s, failure)) return false;
  if (w.size() == 2 && !Flag(w[1], wanted, failure)) return false;
  return Expect(
      s,
      [&](std::wstring& seen) {
        const bool iconic = IsIconic(s.main) != FALSE;
        seen = iconic ? L"minimised" : L"not minimised";
        return iconic == wanted;
      },
      wanted ? L"minimised" : L"not minimised", failure);
}

// ---- the save dialog: the platform's own, found by its file-name field whatever its caption ----

constexpr int kFileNameEdit = 0x480;   // edt1
constexpr int kFileNameCombo = 0x47C;  // cmb13, which holds the edit in some versions
constexpr int kFileTypeCombo = 0x470;  // cmb1

BOOL CALLBACK VisitForSaveDialog(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<std::pair<HWND, HWND>*>(param);
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != search->first ||
      std::wstring(cls) != L"#32770") {
    return TRUE;
  }
  if (!GetDlgItem(window, kFileNameEdit) && !GetDlgItem(window, kFileNameCombo)) return TRUE;
  search->second = window;
  return FALSE;
}

HWND FindSaveDialog(HWND owner) {
  std::pair<HWND, HWND> search{owner, nullptr};
  EnumWindows(VisitForSaveDialog, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

BOOL CALLBACK VisitForEdit(HWND window, LPARAM param) {
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  if (_wcsicmp(cls, L"Edit") != 0) return TRUE;
  *reinterpret_cast<HWND*>(param) = window;
  return FALSE;
}

// The name field itself, or the edit inside the name combo (nested deeper in some versions).
HWND FileNameField(HWND dialog) {
  if (HWND edit = GetDlgItem(dialog, kFileNameEdit); edit && IsWindowVisible(edit)) return edit;
  HWND combo = GetDlgItem(dialog, kFileNameCombo);
  HWND edit = nullptr;
  if (combo) EnumChildWindows(combo, VisitForEdit, reinterpret_cast<LPARAM>(&edit));
  return edit;
}

bool WaitSaveDialog(DriverState& s, HWND& dialog, std::wstring& failure) {
  if (!NeedMain(s, failure)) return false;
  if (WaitFor(s.timeout_ms, [&] { return (dialog = FindSaveDialog(s.main)) != nullptr; })) {
    WaitIdle(dialog, s.timeout_ms);
    return true;
  }
  failure = L"no save dialog";
  return false;
}

bool CloseSaveDialog(DriverState& s, HWND dialog, int button, std::wstring& failure) {
  PostMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
  if (WaitFor(s.timeout_ms, [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); })) {
    return true;
  }
  failure = L"the save dialog stayed open";
  if (HWND other = FindAnyOwnedWindow(dialog)) {
    HWND text = GetDlgItem(other, kMessageTextId);
    failure += L" under " + Visible(text ? WindowCaption(text) : WindowCaption(other));
  }
  return false;
}

bool ExpectSaveDialog(DriverState& s, const Words& w, std::wstring& failure) {
  if (!ArgCount(w, 1, 2, failure) || !NeedMain(s, failure)) return false;
  return Expect(
      s,
      [&](std::wstring& seen) {
        HWND dialog = FindSaveDialog(s.main);
        if (!dialog) return seen = L"no save dialog", false;
        std::wstring name;
        std::wstring type;
        int selected = -1;
        int count = 0;
        HWND types = GetDlgItem(dialog, kFileTypeCombo);
        if (!ReadEditText(FileNameField(dialog), name)) return seen = L"(no answer)", false;
        if (types && ReadComboState(types, selected, count) && selected >= 0) {
          ReadComboItem(types, selected, type);
        }
        seen =
            Visible(WindowCaption(dialog)) + L" name " + Visible(name) + L" type " + Visible(type);
        return name == w[1] && (w.size() < 3 || type == w[2]);
      },
      L"save dialog with name " + Visible(w[1]) + (w.size() == 3 ? L" type " + Visible(w[2]) : L""),
      failure);
}

bool SaveAs(DriverState& s, const Words& w, std::wstring& failure) {
  HWND dialog = nullptr;
  if (!ArgCount(w, 1, 1, failure) || !WaitSaveDialog(s, dialog, failure)) return false;
  const std::wstring path = ExpandVariables(w[1]);
  Log(L"save as " + Visible(path));
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(FileNameField(dialog), WM_SETTEXT, 0,
                           reinterpret_cast<LPARAM>(path.c_str()), SMTO_NORMAL, s.timeout_ms,
                           &result)) {
    return failure = L"cannot type into the file-name field", false;
  }
  return CloseSaveDialog(s, dialog, IDOK, failure);
}

bool SaveCancel(DriverState& s, const Words& w, std::wstring& failure) {
  HWND dialog = nullptr;
  if (!ArgCount(w, 0, 0, failure) || !WaitSaveDialog(s, dialog, failure)) return false;
  return CloseSaveDialog(s, dialog, IDCANCEL, failure);
}

// Picks a file type as the user would: the selection, then the notifications of the pick.
bool SaveType(DriverState& s, const Words& w, std::wstring& failure) {
  HWND dialog = nullptr;
  int index = 0;
  if (!ArgCount(w, 1, 1, failure) || !WaitSaveDialog(s, dialog, failure)) return false;
  if (!ParseInt(w[1], index)) return failure = L"bad index", false;
  HWND types = GetDlgItem(dialog, kFileTypeCombo);
  DWORD_PTR result = 0;
  if (!types ||
      !SendMessageTimeoutW(types, CB_SETCURSEL, index, 0, SMTO_NORMAL, s.timeout_ms, &result) ||
      static_cast<LRESULT>(result) != index) {
    return failure = L"cannot select file type " + w[1], false;
  }
  // What a pick from the drop-down list sends; the dialog takes the filter on CBN_SELENDOK.
  for (const WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {
    SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeCombo, code),
                        reinterpret_cast<LPARAM>(types), SMTO_NORMAL, s.timeout_ms, &result);
  }
  return true;
}

bool SetTimeout(DriverState& s, const Words& w, std::wstring& failure) {
  int ms = 0;
  if (!ArgCount(w, 1, 1, failure) || !ParseInt(w[1], ms) || ms <= 0) {
    return failure = L"bad time-out", false;
  }
  s.timeout_ms = static_cast<DWORD>(ms);
  return true;
}

bool Note(DriverState&, const Words& w, std::wstring&) {
  std::wstring text;
  for (size_t i = 1; i < w.size(); ++i) text += (i > 1 ? L" " : L"") + w[i];
  Log(L"note: " + text);
  return true;
}

// Only for the demo's pace: tests wait for what they expect instead.
bool Pause(DriverState&, const Words& w, std::wstring& failure) {
  int ms = 0;
  if (!ArgCount(w, 1, 1, failure) || !ParseInt(w[1], ms) || ms < 0 || ms > 60000) {
    return failure = L"bad pause", false;
  }
  Sleep(static_cast<DWORD>(ms));
  return true;
}

// ---- the chart window: its own scroll bar, its check boxes, its size, a picture of it ----

bool DialogControl(DriverState& s, const Words& w, HWND& dialog, HWND& control,
                   std::wstring& failure) {
  int id = 0;
  if (!FindDialogFor(s, w, dialog, failure)) return false;
  if (!ParseInt(w[2], id) || !(control = GetDlgItem(dialog, id))) {
    return failure = L"the window has no control " + w[2], false;
  }
  return true;
}

// Sends a horizontal scroll request to the window's own bar (lParam 0), as the bar would.
bool DialogScroll(DriverState& s, const Words& w, std::wstring& failure) {
  HWND dialog = nullptr;
  int code = 0;
  int thumb = 0;
  if (!ArgCount(w, 2, 3, failure) || !FindDialogFor(s, w, dialog, failure)) return false;
  if (!ParseInt(w[2], code) || (w.size() == 4 && !ParseInt(w[3], thumb))) {
    return failure = L"bad scroll request", false;
  }
  PostMessageW(dialog, WM_HSCROLL, MAKEWPARAM(code, thumb), 0);
  return true;
}

// A dialog's control, then a yes/no state of it that `expect` waits for.
bool DialogExpectFlag(DriverState& s, const Words& w, std::wstring& failure,
                      bool (*expect)(DriverState&, HWND, bool, std::wstring&)) {
  HWND dialog = nullptr;
  HWND control = nullptr;
  bool wanted = false;
  if (!ArgCount(w, 3, 3, failure) || !DialogControl(s, w, dialog, control, failure) ||
      !Flag(w[3], wanted, failure)) {
    return false;
  }
  return expect(s, control, wanted, failure);
}

bool DialogExpectCheck(DriverState& s, const Words& w, std::wstring& failure) {
  return DialogExpectFlag(s, w, failure, ExpectTick);
}

bool DialogExpectEnabled(DriverState& s, const Words& w, std::wstring& failure) {
  return DialogExpectFlag(s, w, failure, ExpectEnabledState);
}

// The outer size; the client area's size goes to the log.
bool DialogExpectSize(DriverState& s, const Words& w, std::wstring& failure) {
  HWND dialog = nullptr;
  int width = 0;
  int height = 0;
  if (!ArgCount(w, 3, 3, failure) || !FindDialogFor(s, w, dialog, failure)) return false;
  if (!ParseInt(w[2], width) || !ParseInt(w[3], height)) return failure = L"bad size", false;
  RECT client = {};
  GetClientRect(dialog, &client);
  Log(L"client area " + std::to_wstring(client.right) + L"x" + std::to_wstring(client.bottom));
  return Expect(
      s,
      [&](std::wstring& seen) {
        RECT r = {};
        GetWindowRect(dialog, &r);
        seen = std::to_wstring(r.right - r.left) + L"x" + std::to_wstring(r.bottom - r.top);
        return r.right - r.left == width && r.bottom - r.top == height;
      },
      w[2] + L"x" + w[3], failure);
}

// The screen's pixels in a rectangle, 32 bits each, bottom row first.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<DWORD> pixels;
};

bool CaptureScreen(const RECT& r, Picture& picture) {
  picture.width = r.right - r.left;
  picture.height = r.bottom - r.top;
  if (picture.width <= 0 || picture.height <= 0) return false;
  picture.pixels.assign(static_cast<size_t>(picture.width) * picture.height, 0);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, picture.width, picture.height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, picture.width, picture.height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, previous);
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = picture.width;
  info.biHeight = picture.height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  const int rows = GetDIBits(memory, bitmap, 0, picture.height, picture.pixels.data(),
                             reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return rows == picture.height;
}

// The window's client area as the screen shows it.
bool CaptureClient(HWND window, Picture& picture) {
  RECT r = {};
  GetClientRect(window, &r);
  POINT corner = {0, 0};
  ClientToScreen(window, &corner);
  OffsetRect(&r, corner.x, corner.y);
  return CaptureScreen(r, picture);
}

// Waits until the window has painted: two captures a moment apart are the same.
bool CaptureSettled(DriverState& s, HWND window, Picture& picture) {
  WaitIdle(window, s.timeout_ms);
  WaitIdle(window, s.timeout_ms);
  Picture earlier;
  return WaitFor(s.timeout_ms, [&] {
    if (!CaptureClient(window, earlier)) return false;
    Sleep(150);
    return CaptureClient(window, picture) && picture.pixels == earlier.pixels;
  });
}

std::map<std::wstring, Picture>& Pictures() {
  static std::map<std::wstring, Picture> pictures;
  return pictures;
}

// Keeps the client area's picture under a name, for later comparison.
bool DialogRemember(DriverState& s, const Words& w, std::wstring& failure) {
  HWND dialog = nullptr;
  if (!ArgCount(w, 2, 2, failure) || !FindDialogFor(s, w, dialog, failure)) return false;
  Picture picture;
  if (!CaptureSettled(s, dialog, picture)) return failure = L"the picture never settled", false;
  Pictures()[w[2]] = picture;
  return true;
}

// The client area shows the same picture as the named one (or, with "differs", another).
bool DialogExpectPicture(DriverState& s, const Words& w, std::wstring& failure) {
  HWND dialog = nullptr;
  if (!ArgCount(w, 2, 3, failure) || !FindDialogFor(s, w, dialog, failure)) return false;
  const auto found = Pictures().find(w[2]);
  if (found == Pictures().end()) return failure = L"no picture named " + w[2], false;
  if (w.size() == 4 && w[3] != L"differs") return failure = L"expected 'differs'", false;
  const bool same = w.size() == 3;
  return Expect(
      s,
      [&](std::wstring& seen) {
        // Two captures a moment apart, both alike: a paint still to come cannot pass.
        Picture now;
        Picture then;
        if (!CaptureClient(dialog, then)) return seen = L"(no picture)", false;
        Sleep(150);
        if (!CaptureClient(dialog, now) || now.pixels != then.pixels) {
          return seen = L"a picture still changing", false;
        }
        const bool equal = now.pixels == found->second.pixels;
        seen = equal ? L"the same picture" : L"another picture";
        return equal == same;
      },
      (same ? L"the picture " : L"a picture other than ") + w[2], failure);
}

// Writes a picture of the whole window as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::wstring& path) {
  RECT r = {};
  GetWindowRect(window, &r);
  Picture picture;
  if (!CaptureScreen(r, picture)) return false;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = picture.width;
  info.biHeight = picture.height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  const size_t bytes = picture.pixels.size() * sizeof(DWORD);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(bytes);
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (!out) return false;
  const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                       std::fwrite(&info, sizeof info, 1, out) == 1 &&
                       std::fwrite(picture.pixels.data(), 1, bytes, out) == bytes;
  return std::fclose(out) == 0 && written;
}

// A picture of the window, NAME.bmp beside the driver's log, once it has painted.
bool DialogShot(DriverState& s, const Words& w, std::wstring& failure) {
  HWND dialog = nullptr;
  if (!ArgCount(w, 2, 2, failure) || !FindDialogFor(s, w, dialog, failure)) return false;
  Picture settled;
  if (!CaptureSettled(s, dialog, settled)) return failure = L"the picture never settled", false;
  const size_t slash = s.log_path.find_last_of(L"\\/");
  const std::wstring path =
      (slash == std::wstring::npos ? L"" : s.log_path.substr(0, slash + 1)) + w[2] + L".bmp";
  if (!SaveWindowPicture(dialog, path)) return failure = L"cannot write " + path, false;
  Log(L"picture: " + path);
  return true;
}

const std::map<std::wstring, Handler>& Commands() {
  static const std::map<std::wstring, Handler> table = {
      {L"wait-main", WaitMain},
      {L"wait-idle", WaitIdleCmd},
      {L"expect-responsive", ExpectResponsive},
      {L"click", Click},
      {L"expect-text", ExpectText},
      {L"expect-edit", ExpectEdit},
      {L"expect-enabled", ExpectEnabled},
      {L"expect-enabled-only", ExpectEnabledOnly},
      {L"expect-list", ExpectList},
      {L"expect-item", ExpectItem},
      {L"expect-check", ExpectCheck},
      {L"select", Select},
      {L"set-edit", SetEdit},
      {L"expect-icon", ExpectIcon},
      {L"expect-message", ExpectMessage},
      {L"answer", Answer},
      {L"expect-no-message", ExpectNoMessage},
      {L"expect-dialog", ExpectDialog},
      {L"expect-no-dialog", ExpectNoDialog},
      {L"dialog-click", DialogClick},
      {L"dialog-close", DialogClose},
      {L"dialog-key", DialogKey},
      {L"dialog-scroll", DialogScroll},
      {L"dialog-remember", DialogRemember},
      {L"dialog-expect-picture", DialogExpectPicture},
      {L"dialog-expect-check", DialogExpectCheck},
      {L"dialog-expect-enabled", DialogExpectEnabled},
      {L"dialog-expect-size", DialogExpectSize},
      {L"dialog-shot", DialogShot},
      {L"expect-save-dialog", ExpectSaveDialog},
      {L"save-as", SaveAs},
      {L"save-cancel", SaveCancel},
      {L"save-type", SaveType},
      {L"faults", Faults},
      {L"copy-file", CopyFileCmd},
      {L"expect-files", ExpectFiles},
      {L"close-main", CloseMain},
      {L"wait-exit", WaitExit},
      {L"size", Size},
      {L"maximize", SysCommand},
      {L"minimize", SysCommand},
      {L"restore", SysCommand},
      {L"expect-size", ExpectSize},
      {L"expect-minimized", ExpectMinimized},
      {L"timeout", SetTimeout},
      {L"note", Note},
      {L"pause", Pause},
  };
  return table;
}

}  // namespace

bool RunCommand(DriverState& state, const ScriptLine& line, std::wstring& failure) {
  const auto& table = Commands();
  const auto found = table.find(line.words[0]);
  if (found == table.end()) {
    failure = L"unknown command " + line.words[0];
    return false;
  }
  return found->second(state, line.words, failure);
}

}  // namespace zvd
