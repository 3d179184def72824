// Device text made safe to print. The logger's identifier is whatever bytes the logger sent:
// printed raw, an ESC or a C1 control would steer the terminal (clear it, set its title).
// Every control character is therefore written visibly, and the backslash that starts such a
// form is doubled, so two different texts never print alike.
#pragma once

#include <cstddef>
#include <string_view>

#include "base/safe_text.h"

namespace zv::cli {

// Windows-1250 text, up to its first NUL, as UTF-8 in `style`; controls are C0, DEL and the
// C1 controls that five bytes of the code page decode to. Always NUL-terminated; a form that
// does not fit whole is left out with everything after it. Returns the bytes written.
inline std::size_t VisibleUtf8(std::string_view cp1250, SafeStyle style, char* out,
                               std::size_t capacity) {
  if (capacity == 0) return 0;
  const std::size_t used = WriteSafeText(cp1250, TextSource::Cp1250, style, out, capacity - 1);
  out[used] = '\0';
  return used;
}

// Windows-1250 text up to its NUL (at most `limit` bytes), trailing spaces cut, as VisibleUtf8
// writes it in `style`. 20 bytes in their longest form (\u001b) fit.
struct VisibleText {
  VisibleText(const char* cp1250, std::size_t limit, SafeStyle style = SafeStyle::Terminal) {
    std::size_t n = 0;
    while (n < limit && cp1250[n] != '\0') ++n;
    while (n > 0 && cp1250[n - 1] == ' ') --n;
    VisibleUtf8(std::string_view(cp1250, n), style, text, sizeof text);
  }
  char text[128];
};

// A list's entry as the user reads it in the lists: without its leading space and its
// trailing spaces.
template <typename Table>
VisibleText ListEntryText(const Table& table, std::size_t index) {
  return VisibleText(table.Entry(index) + 1, Table::kWidth - 1);
}

}  // namespace zv::cli
