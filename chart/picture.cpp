#include "chart/picture.h"

#include "base/text1250.h"

namespace zv {

namespace {

// The length of the UTF-8 sequence at in[i] and its code point; 0 when it is not a valid,
// shortest-form sequence of a scalar value.
std::size_t DecodeOne(std::string_view in, std::size_t i, char32_t& cp) {
  std::size_t next = i;
  const long decoded = DecodeUtf8(in.data(), in.size(), next);
  if (decoded < 0) return 0;
  cp = static_cast<char32_t>(decoded);
  return next - i;
}

bool Printable(char32_t cp) {
  return cp >= 0x20 && cp != 0x7F && cp != 0xFFFE && cp != 0xFFFF;
}

}  // namespace

std::string_view PictureStep::Text() const {
  return {text, length < kPictureTextCapacity ? length : kPictureTextCapacity};
}

std::size_t CleanUtf8(std::string_view in, char* out, std::size_t capacity) {
  std::size_t used = 0;
  std::size_t i = 0;
  while (i < in.size()) {
    char32_t cp = 0;
    std::size_t length = DecodeOne(in, i, cp);
    const bool keep = length != 0 && Printable(cp);
    if (length == 0) length = 1;
    const std::size_t written = keep ? length : 1;
    if (used + written > capacity) break;
    for (std::size_t k = 0; k < written; ++k) out[used + k] = keep ? in[i + k] : '?';
    used += written;
    i += length;
  }
  return used;
}

void Replay(const PictureView& picture, PictureSink& sink) {
  sink.Begin(picture.header);
  for (std::size_t i = 0; i < picture.count; ++i) sink.Add(picture.steps[i]);
}

PictureStep& PictureDraw::Start(PictureStepKind kind) {
  step_ = PictureStep{};
  step_.kind = kind;
  return step_;
}

void PictureDraw::Pen(uint32_t color, float width, float dashOn, float dashOff,
                      std::string_view name) {
  PictureStep& s = Start(PictureStepKind::Pen);
  s.color = color;
  s.size = width;
  s.dashOn = dashOn;
  s.dashOff = dashOff;
  s.length = static_cast<uint8_t>(CleanUtf8(name, s.text, kPictureTextCapacity));
  sink_.Add(s);
}

void PictureDraw::Line(float x1, float y1, float x2, float y2) {
  PictureStep& s = Start(PictureStepKind::Line);
  s.x = x1;
  s.y = y1;
  s.x2 = x2;
  s.y2 = y2;
  sink_.Add(s);
}

void PictureDraw::MoveTo(float x, float y) {
  PictureStep& s = Start(PictureStepKind::MoveTo);
  s.x = x;
  s.y = y;
  sink_.Add(s);
}

void PictureDraw::LineTo(float x, float y) {
  PictureStep& s = Start(PictureStepKind::LineTo);
  s.x = x;
  s.y = y;
  sink_.Add(s);
}

void PictureDraw::Fill(float x1, float y1, float x2, float y2, uint32_t color, uint8_t alpha) {
  PictureStep& s = Start(PictureStepKind::FillRect);
  s.x = x1;
  s.y = y1;
  s.x2 = x2;
  s.y2 = y2;
  s.color = color;
  s.alpha = alpha;
  sink_.Add(s);
}

void PictureDraw::Text(float x, float y, std::string_view utf8, const TextStyle& style) {
  PictureStep& s = Start(PictureStepKind::Text);
  s.x = x;
  s.y = y;
  s.size = style.size;
  s.weight = style.weight;
  s.anchor = style.anchor;
  s.color = style.color;
  s.length = static_cast<uint8_t>(CleanUtf8(utf8, s.text, kPictureTextCapacity));
  sink_.Add(s);
}

void PictureDraw::NewPage() {
  sink_.Add(Start(PictureStepKind::NewPage));
}

}  // namespace zv
