// How wide a text is drawn. The PDF and PNG players draw every text in DejaVu Sans (an SVG
// asks for it first), so a report page measures its texts with that font's advances: it
// places its columns, wraps its long lines and refuses a title that cannot fit, with no
// player asked.
#pragma once

#include <cstddef>
#include <string_view>

#include "picture/picture.h"

namespace zv {

// The length of the valid, shortest-form UTF-8 sequence at text[i] and its code point; 0
// when there is none.
std::size_t DecodeCharacter(std::string_view text, std::size_t i, char32_t& cp);

// The advance of one character at `size`, in the units of `size`.
float CharacterWidth(char32_t cp, float size, TextWeight weight);

// The width of UTF-8 text as a player draws it (an invalid byte or an unsafe character as '?').
float TextWidth(std::string_view utf8, float size, TextWeight weight);

// The bytes of the longest start of `utf8`, in whole characters, no wider than `width`.
std::size_t FittingBytes(std::string_view utf8, float width, float size, TextWeight weight);

// Characters as a player draws them.
std::size_t CountCharacters(std::string_view utf8);

}  // namespace zv
