#include "cli/visible_text.h"

#include <cstdio>

#include "base/text1250.h"

namespace zv::cli {

namespace {

constexpr bool IsControl(char32_t cp) {
  return cp < 0x20 || (cp >= 0x7F && cp < 0xA0);
}

// The form of one Windows-1250 byte in `style`, NUL-terminated; returns its length.
std::size_t FormOf(unsigned char byte, TextStyle style, char (&form)[8]) {
  const char32_t cp = Cp1250ToUnicode(byte);
  const bool json = style == TextStyle::Json;
  int length = -1;
  if (IsControl(cp)) {
    length =
        std::snprintf(form, sizeof form, json ? "\\u%04x" : "\\x%02x", static_cast<unsigned>(cp));
  } else if (cp == '\\' || (json && cp == '"')) {
    length = std::snprintf(form, sizeof form, "\\%c", byte);
  }
  if (length >= 0) return static_cast<std::size_t>(length);
  const char c = static_cast<char>(byte);
  return Cp1250ToUtf8(std::string_view(&c, 1), form, sizeof form);
}

}  // namespace

std::size_t VisibleUtf8(std::string_view cp1250, TextStyle style, char* out, std::size_t capacity) {
  if (capacity == 0) return 0;
  std::size_t used = 0;
  for (std::size_t i = 0; i < cp1250.size() && cp1250[i] != '\0'; ++i) {
    char form[8];
    std::size_t length;
    if (style == TextStyle::Message && cp1250[i] == '\r' && i + 1 < cp1250.size() &&
        cp1250[i + 1] == '\n') {
      form[0] = '\n';
      length = 1;
      ++i;
    } else {
      length = FormOf(static_cast<unsigned char>(cp1250[i]), style, form);
    }
    if (used + length + 1 > capacity) break;
    for (std::size_t k = 0; k < length; ++k) out[used++] = form[k];
  }
  out[used] = '\0';
  return used;
}

}  // namespace zv::cli
