#include "app/window_controls_win32.h"

#include "app/wide_text_win32.h"

namespace zv {

namespace {
// The identifier field has no length limit; what is read back is cut here.
constexpr std::size_t kFieldCapacity = 128;
}  // namespace

void WindowControls::SetEnabled(ControlId id, bool enabled) {
  if (HWND control = main_.Control(id)) EnableWindow(control, enabled ? TRUE : FALSE);
}

void WindowControls::SetText(ControlId id, const char* text) {
  HWND control = main_.Control(id);
  if (control == nullptr) return;
  const WideText<kFieldCapacity> wide(text);
  SetWindowTextW(control, wide.c_str());
}

std::size_t WindowControls::GetText(ControlId id, char* out, std::size_t capacity) {
  if (capacity == 0) return 0;
  out[0] = '\0';
  HWND control = main_.Control(id);
  if (control == nullptr) return 0;
  wchar_t wide[kFieldCapacity];
  const int length = GetWindowTextW(control, wide, static_cast<int>(kFieldCapacity));
  return FromWide(wide, length > 0 ? static_cast<std::size_t>(length) : 0, out, capacity);
}

void WindowControls::SetChecked(ControlId id, bool checked) {
  if (HWND control = main_.Control(id)) {
    SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

bool WindowControls::IsChecked(ControlId id) {
  HWND control = main_.Control(id);
  return control != nullptr && SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WindowControls::SelectItem(ControlId id, int index) {
  HWND control = main_.Control(id);
  if (control == nullptr) return;
  const LRESULT count = SendMessageW(control, CB_GETCOUNT, 0, 0);
  const bool inList = index >= 0 && index < count;
  SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(inList ? index : -1), 0);
}

int WindowControls::SelectedItem(ControlId id) {
  HWND control = main_.Control(id);
  return control != nullptr ? static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)) : -1;
}

void WindowControls::ShowStateIcon(bool connected) {
  HICON picture = connected ? main_.connectedPicture : main_.disconnectedPicture;
  SendMessageW(main_.Control(ID_STATE_ICON), STM_SETICON, reinterpret_cast<WPARAM>(picture), 0);
}

void WindowControls::RepaintPanel() {
  InvalidateRect(main_.window, nullptr, TRUE);
}

}  // namespace zv
