// Texts on a report page: any length drawn as the short text steps a picture holds, cut to a
// width with an ellipsis, or wrapped into lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "picture/picture.h"

namespace zv {

// Draws `utf8` whole, however long: as consecutive text steps of at most kPictureTextCapacity
// bytes, each placed where the one before ends, the whole anchored as the style says.
void DrawPageText(PictureDraw& draw, float x, float y, std::string_view utf8,
                  const TextStyle& style);

// The text, or as much of its start as fits `width` with "…" after it.
std::string FitStart(std::string_view utf8, float width, float size, TextWeight weight);

// The text, or "…" and as much of its end as fits `width` (a path keeps its file name).
std::string FitEnd(std::string_view utf8, float width, float size, TextWeight weight);

// Lines no wider than `width`, broken at spaces where a word fits a line, else inside it.
std::vector<std::string> WrapLines(std::string_view utf8, float width, float size,
                                   TextWeight weight);

}  // namespace zv
