#include "app/window_ui.h"

#include "app/download_window.h"
#include "app/wide_text.h"

namespace zv {

namespace {

// Long enough for every message the program shows, cut beyond that.
constexpr std::size_t kMessageCapacity = 512;
// The identifier field has no length limit; what is read back is cut here.
constexpr std::size_t kFieldCapacity = 128;

UINT IconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return MB_ICONASTERISK;
    case MessageIcon::Exclamation:
      return MB_ICONEXCLAMATION;
    case MessageIcon::Stop:
      return MB_ICONHAND;
    case MessageIcon::Question:
      return MB_ICONQUESTION;
  }
  return 0;
}

UINT ButtonStyle(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return MB_OK;
    case MessageButtons::OkCancel:
      return MB_OKCANCEL;
    case MessageButtons::YesNoCancel:
      return MB_YESNOCANCEL;
  }
  return MB_OK;
}

}  // namespace

Answer WindowUi::ShowMessage(const char* text, MessageIcon icon, MessageButtons buttons) {
  const WideText<kMessageCapacity> wide(text);
  const int pressed = MessageBoxW(main_.window, wide.c_str(), L"Zorvant_2",
                                  ButtonStyle(buttons) | IconStyle(icon) | MB_DEFBUTTON1);
  switch (pressed) {
    case IDOK:
      return Answer::Ok;
    case IDYES:
      return Answer::Yes;
    case IDNO:
      return Answer::No;
    default:  // closing a question box counts as Cancel
      return Answer::Cancel;
  }
}

void WindowUi::SetEnabled(ControlId id, bool enabled) {
  if (HWND control = main_.Control(id)) EnableWindow(control, enabled ? TRUE : FALSE);
}

void WindowUi::SetText(ControlId id, const char* text) {
  HWND control = main_.Control(id);
  if (control == nullptr) return;
  const WideText<kFieldCapacity> wide(text);
  SetWindowTextW(control, wide.c_str());
}

std::size_t WindowUi::GetText(ControlId id, char* out, std::size_t capacity) {
  if (capacity == 0) return 0;
  out[0] = '\0';
  HWND control = main_.Control(id);
  if (control == nullptr) return 0;
  wchar_t wide[kFieldCapacity];
  const int length = GetWindowTextW(control, wide, static_cast<int>(kFieldCapacity));
  return FromWide(wide, length > 0 ? static_cast<std::size_t>(length) : 0, out, capacity);
}

void WindowUi::SetChecked(ControlId id, bool checked) {
  if (HWND control = main_.Control(id)) {
    SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

bool WindowUi::IsChecked(ControlId id) {
  HWND control = main_.Control(id);
  return control != nullptr && SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WindowUi::SelectItem(ControlId id, int index) {
  HWND control = main_.Control(id);
  if (control == nullptr) return;
  const LRESULT count = SendMessageW(control, CB_GETCOUNT, 0, 0);
  const bool inList = index >= 0 && index < count;
  SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(inList ? index : -1), 0);
}

int WindowUi::SelectedItem(ControlId id) {
  HWND control = main_.Control(id);
  return control != nullptr ? static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)) : -1;
}

void WindowUi::ShowStateIcon(bool connected) {
  HICON picture = connected ? main_.connectedPicture : main_.disconnectedPicture;
  SendMessageW(main_.Control(ID_STATE_ICON), STM_SETICON, reinterpret_cast<WPARAM>(picture), 0);
}

void WindowUi::RepaintPanel() {
  InvalidateRect(main_.window, nullptr, TRUE);
}

int WindowUi::RunDownloadWindow(uint16_t range, Transfer& transfer) {
  return zv::RunDownloadWindow(main_.instance, main_.window, range, transfer);
}

}  // namespace zv
