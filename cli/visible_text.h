// Device text made safe to print. The logger's identifier is whatever bytes the logger sent:
// printed raw, an ESC or a C1 control would steer the terminal (clear it, set its title).
// Every control character is therefore written visibly, and the backslash that starts such a
// form is doubled, so two different texts never print alike.
#pragma once

#include <cstddef>
#include <string_view>

namespace zv::cli {

enum class TextStyle {
  Terminal,  // a value on a line: controls as \x1b, a backslash as two
  Message,   // a message box's text: as Terminal, but its "\r\n" line breaks stay line breaks
  Json,      // the inside of a JSON string: \" \\ and controls as \u001b
};

// Windows-1250 text, up to its first NUL, as UTF-8 in `style`; controls are C0, DEL and the
// C1 controls that five bytes of the code page decode to. Always NUL-terminated; a form that
// does not fit whole is left out with everything after it. Returns the bytes written.
std::size_t VisibleUtf8(std::string_view cp1250, TextStyle style, char* out, std::size_t capacity);

}  // namespace zv::cli
