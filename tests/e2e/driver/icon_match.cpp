#include "icon_match.h"

#include <cstdlib>

namespace zvd {

std::vector<IconCandidate> SystemIcons() {
  return {{L"info", LoadIconW(nullptr, IDI_ASTERISK)},
          {L"stop", LoadIconW(nullptr, IDI_HAND)},
          {L"exclamation", LoadIconW(nullptr, IDI_EXCLAMATION)},
          {L"question", LoadIconW(nullptr, IDI_QUESTION)}};
}

std::vector<IconCandidate> ResourceIcons(const std::wstring& exe_path,
                                         const std::vector<std::wstring>& names) {
  std::vector<IconCandidate> icons;
  HMODULE module = LoadLibraryExW(exe_path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return icons;
  for (const auto& name : names) {
    HANDLE icon = LoadImageW(module, name.c_str(), IMAGE_ICON, 32, 32, 0);
    if (icon) icons.push_back({name, static_cast<HICON>(icon)});
  }
  return icons;  // the module stays mapped: the icons are used until the driver ends
}

namespace {

// A 32-bit top-down DIB section of the given size with a memory DC selected into it.
struct Canvas {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  const DWORD* pixels = nullptr;
  int width = 0;
  int height = 0;

  Canvas(int w, int h) : width(w), height(h) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels = static_cast<const DWORD*>(bits);
    old = SelectObject(dc, bitmap);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  bool ok() const { return pixels != nullptr; }
};

bool Close(DWORD a, DWORD b) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int ca = static_cast<int>((a >> shift) & 0xFF);
    const int cb = static_cast<int>((b >> shift) & 0xFF);
    if (std::abs(ca - cb) > 40) return false;
  }
  return true;
}

}  // namespace

IconVerdict MatchIcon(HWND picture, const std::vector<IconCandidate>& candidates) {
  IconVerdict verdict;
  RECT client = {};
  if (!GetClientRect(picture, &client)) return verdict;
  const int w = client.right - client.left;
  const int h = client.bottom - client.top;
  if (w <= 0 || h <= 0 || w > 256 || h > 256) return verdict;
  POINT origin = {0, 0};
  ClientToScreen(picture, &origin);

  Canvas shot(w, h);
  if (!shot.ok()) return verdict;
  HDC screen = GetDC(nullptr);
  const BOOL copied = BitBlt(shot.dc, 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
  ReleaseDC(nullptr, screen);
  if (!copied) return verdict;
  GdiFlush();

  // Icons leave their corners transparent, so the top-left pixel is the control's background.
  const DWORD background = shot.pixels[0] & 0xFFFFFF;
  const int total = w * h;
  for (const auto& candidate : candidates) {
    Canvas drawn(w, h);
    if (!drawn.ok()) continue;
    HBRUSH brush = CreateSolidBrush(
        RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
    RECT all = {0, 0, w, h};
    FillRect(drawn.dc, &all, brush);
    DeleteObject(brush);
    // A picture control stretches its icon over its client area; do the same.
    DrawIconEx(drawn.dc, 0, 0, candidate.icon, w, h, 0, nullptr, DI_NORMAL);
    GdiFlush();
    int differing = 0;
    for (int i = 0; i < total; ++i) {
      if (!Close(shot.pixels[i], drawn.pixels[i])) ++differing;
    }
    const double share = static_cast<double>(differing) / total;
    if (share < verdict.mismatch) {
      verdict.runner_up = verdict.mismatch;
      verdict.mismatch = share;
      verdict.best = candidate.name;
    } else if (share < verdict.runner_up) {
      verdict.runner_up = share;
    }
  }
  return verdict;
}

}  // namespace zvd
