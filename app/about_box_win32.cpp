#include "app/about_box_win32.h"

#include "resources/resource_ids.h"

namespace zv {

namespace {

INT_PTR CALLBACK AboutProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      // Sized in pixels, not dialog units; the static loads "icon0" by itself from its caption.
      auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(box, GWLP_HINSTANCE));
      CreateWindowExW(0, L"STATIC", L"icon0", WS_CHILD | WS_VISIBLE | SS_ICON, 30, 50, 32, 32, box,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_ABOUT_ICON)), instance,
                      nullptr);
      return TRUE;  // the focus goes to the OK button
    }
    case WM_COMMAND:
      // Only OK's own click; the keyboard's cancel leaves the box open.
      if (wParam != ID_ABOUT_OK) return FALSE;
      EndDialog(box, 0);
      return TRUE;
    case WM_CLOSE:
      EndDialog(box, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void ShowAboutBox(HINSTANCE instance, HWND owner) {
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutProc, 0);
}

}  // namespace zv
