#include "picture/screen_tools.h"

namespace zv {

bool DrawsText(const ScreenFont& font, const PictureStep& text) {
  return text.face == font.face && text.size == font.em && text.weight == font.weight;
}

bool IsPenOf(const ScreenPen& pen, const PictureStep& step) {
  const bool dotted = step.dashOn > 0 && step.dashOff > 0;
  return step.color == pen.color && step.size == pen.width && dotted == pen.dotted;
}

void UsePen(PictureDraw& draw, const ScreenPen& pen) {
  const float dash = pen.dotted ? kScreenDot : 0;
  draw.Pen(pen.color, pen.width, dash, dash, pen.name);
}

void CellText(PictureDraw& draw, const ScreenFont& font, float x, float top, std::string_view text,
              uint32_t color, TextSource source) {
  TextStyle style;
  style.size = font.em;
  style.weight = font.weight;
  style.color = color;
  style.face = font.face;
  draw.Text(x, top + font.baseline, text, style, source);
}

}  // namespace zv
