#include "app/wide_text_win32.h"

#include "app/win32_api.h"

namespace zv {

namespace {
constexpr UINT kCodePage = 1250;
}

int ToWide(const char* text, std::size_t length, wchar_t* out, std::size_t capacity) {
  if (capacity == 0) return 0;
  out[0] = L'\0';
  if (text == nullptr) return 0;
  std::size_t n = 0;
  // One byte of Windows-1250 is one UTF-16 unit, so cutting the input cuts the output.
  while (n < length && n + 1 < capacity && text[n] != '\0') ++n;
  if (n == 0) return 0;
  const int written = MultiByteToWideChar(kCodePage, 0, text, static_cast<int>(n), out,
                                          static_cast<int>(capacity - 1));
  const int end = written > 0 ? written : 0;
  out[end] = L'\0';
  return end;
}

int ToWide(const char* text, wchar_t* out, std::size_t capacity) {
  return ToWide(text, static_cast<std::size_t>(-1), out, capacity);
}

std::size_t FromWide(const wchar_t* text, std::size_t length, char* out, std::size_t capacity) {
  if (capacity == 0) return 0;
  out[0] = '\0';
  std::size_t n = 0;
  // A unit becomes at most one byte ('?' for a surrogate half), so cutting the input fits.
  while (n < length && n + 1 < capacity && text[n] != L'\0') ++n;
  if (n == 0) return 0;
  const int written =
      WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text, static_cast<int>(n), out,
                          static_cast<int>(capacity - 1), "?", nullptr);
  const std::size_t end = written > 0 ? static_cast<std::size_t>(written) : 0;
  out[end] = '\0';
  return end;
}

}  // namespace zv
