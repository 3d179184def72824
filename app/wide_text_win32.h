// Windows-1250 inside the program, UTF-16 at the window system's edge.
#pragma once

#include <cstddef>

namespace zv {

// Converts `length` Windows-1250 bytes (stopping early at a NUL) into `out`, always
// NUL-terminated and cut to fit; returns the UTF-16 units written.
int ToWide(const char* text, std::size_t length, wchar_t* out, std::size_t capacity);
// The same for a NUL-terminated text.
int ToWide(const char* text, wchar_t* out, std::size_t capacity);

// UTF-16 back to Windows-1250 with '?' for what the code page lacks; NUL-terminated, cut to
// fit; returns the bytes written.
std::size_t FromWide(const wchar_t* text, std::size_t length, char* out, std::size_t capacity);

// A fixed UTF-16 copy of a Windows-1250 text for one call into the window system.
template <std::size_t N>
struct WideText {
  wchar_t text[N];
  int length;
  explicit WideText(const char* cp1250) : length(ToWide(cp1250, text, N)) {}
  WideText(const char* cp1250, std::size_t bytes) : length(ToWide(cp1250, bytes, text, N)) {}
  const wchar_t* c_str() const { return text; }
};

}  // namespace zv
