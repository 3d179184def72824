// Text from outside, made safe for where it is shown. A logger's identifier, a USB device's
// product name, another process's name or what a user typed may hold characters that steer the
// reader instead of being read: C0 and C1 controls and DEL start a terminal's escape sequences
// (clear the screen, set the title); the direction controls turn the text after them around,
// so that "evil\u202Etxt.exe" reads "evilexe.txt"; the line and paragraph separators break a
// line that must stay one; U+FFFE and U+FFFF are no characters at all. Every text from outside
// passes here on its way to a terminal, a picture or a JSON string, in the form that place
// cannot obey.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zv {

// True for the characters above: C0, DEL, C1, U+061C, U+200E, U+200F, U+202A-U+202E,
// U+2066-U+2069, U+2028, U+2029, U+FFFE and U+FFFF.
constexpr bool IsUnsafeCharacter(char32_t cp) {
  return cp < 0x20 || (cp >= 0x7F && cp < 0xA0) || cp == 0x061C || cp == 0x200E || cp == 0x200F ||
         (cp >= 0x2028 && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069) || cp == 0xFFFE ||
         cp == 0xFFFF;
}

// How the text arrives: UTF-8 (bytes that are not UTF-8 included), or Windows-1250, which
// ends at its first NUL as the logger's fixed fields do.
enum class TextSource : uint8_t { Utf8, Cp1250 };

enum class SafeStyle : uint8_t {
  // A value on a terminal line: an unsafe character as \x1b (below U+0080, or any byte of a
  // Windows-1250 text) or \u202e, a byte that is not UTF-8 as \x9b, and a backslash doubled,
  // so that two different texts never print alike.
  Terminal,
  // As Terminal, but the text's own "\r\n" line breaks stay line breaks ("\n").
  Message,
  // A name or a path inside a line of ours (a port, a file, a process, an option's value):
  // as Terminal, but a backslash stays one, so that a Windows path reads as it was typed.
  Echo,
  // A text drawn in a picture: each unsafe character and each byte that is not UTF-8 as '?'.
  Picture,
  // The inside of a JSON string: \" and \\, an unsafe character as \u001b or \u202e, and a
  // byte that is not UTF-8 as \ufffd.
  Json,
};

// The longest form of one character: "\u202e" or four bytes of UTF-8.
inline constexpr std::size_t kSafeFormCapacity = 8;

// The form in `style` of the character at in[i], advancing i past it; returns its length.
std::size_t NextSafeForm(std::string_view in, std::size_t& i, TextSource source, SafeStyle style,
                         char (&form)[kSafeFormCapacity]);

// `in` in `style` into out, whole forms only: a form that does not fit is left out with
// everything after it. No NUL is written; returns the bytes written.
std::size_t WriteSafeText(std::string_view in, TextSource source, SafeStyle style, char* out,
                          std::size_t capacity);

// The whole of `in` in `style`.
std::string SafeText(std::string_view in, TextSource source, SafeStyle style);

// A user's, a device's or another program's UTF-8 text inside a message of ours.
inline std::string Echoed(std::string_view utf8) {
  return SafeText(utf8, TextSource::Utf8, SafeStyle::Echo);
}

}  // namespace zv
