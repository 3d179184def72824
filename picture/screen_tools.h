// The fonts and pens a window draws its pictures with. The window creates them before it
// paints and its GDI player picks one for each step; they are described here, in portable
// code, so that the builder of a window's picture writes steps that name them exactly and a
// test can tell that every step finds its own.
#pragma once

#include <cstdint>
#include <string_view>

#include "picture/picture.h"

namespace zv {

// A window font: the text steps it draws (face, em and weight), how the window creates it
// (the character cell's height in pixels and the weight, 100..900), and where the baseline of
// a step lies below the top of the cell the window places a text by.
struct ScreenFont {
  TypeFace face;
  float em;
  TextWeight weight;
  int16_t cellHeight;
  int16_t windowsWeight;
  int16_t baseline;
};

// A window pen: solid, or dotted as the window system dots (kScreenDot drawn, kScreenDot left
// out). `name` is the pen's class in an SVG.
struct ScreenPen {
  const char* name;
  uint32_t color;
  uint8_t width;
  bool dotted;
};

inline constexpr float kScreenDot = 3;

// True when `font` is the one a text step is drawn in.
bool DrawsText(const ScreenFont& font, const PictureStep& text);

// True when `pen` is the one a pen step selects.
bool IsPenOf(const ScreenPen& pen, const PictureStep& step);

// Selects `pen` for the lines that follow.
void UsePen(PictureDraw& draw, const ScreenPen& pen);

// A text in `font` whose character cell has its top-left corner at (x, top), where the window
// places it.
void CellText(PictureDraw& draw, const ScreenFont& font, float x, float top, std::string_view text,
              uint32_t color, TextSource source = TextSource::Utf8);

}  // namespace zv
