// The GDI player: a picture's steps onto a window's device context, with the fonts and pens
// the window made for them. It allocates nothing and computes no coordinate.
#pragma once

#include <windows.h>

#include <cstddef>

#include "picture/picture.h"
#include "picture/screen_tools.h"

namespace zv {

struct GdiFont {
  ScreenFont font;
  HFONT handle;
};

struct GdiPen {
  ScreenPen pen;
  HPEN handle;
};

// What a window made to draw with; the window keeps them for as long as it paints and deletes
// them after.
struct GdiTools {
  const GdiFont* fonts = nullptr;
  std::size_t fontCount = 0;
  const GdiPen* pens = nullptr;
  std::size_t penCount = 0;
};

// Null when the system cannot make it; the player then draws with a stock object.
HFONT CreateScreenFont(const ScreenFont& font);
HPEN CreateScreenPen(const ScreenPen& pen);

// Plays every step: texts over a transparent background, each in its own font and colour at
// its cell's top-left corner, lines with the pen last selected (their end point not drawn, as
// GDI draws a line), fills in their colour; page breaks are ignored. A step whose font or pen
// the tools lack is drawn with the system's default font or black pen. The context's own pen,
// font, text colour, alignment and background mode come back before it returns.
void PlayPicture(HDC dc, const PictureView& picture, const GdiTools& tools);

}  // namespace zv
