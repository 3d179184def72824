#include "picture/picture.h"

namespace zv {

std::string_view PictureStep::Text() const {
  return {text, length < kPictureTextCapacity ? length : kPictureTextCapacity};
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
  s.length = static_cast<uint8_t>(
      WriteSafeText(name, TextSource::Utf8, SafeStyle::Picture, s.text, kPictureTextCapacity));
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

PictureStep MakeTextStep(float x, float y, std::string_view text, const TextStyle& style,
                         TextSource source) {
  PictureStep s;
  s.kind = PictureStepKind::Text;
  s.x = x;
  s.y = y;
  s.size = style.size;
  s.weight = style.weight;
  s.anchor = style.anchor;
  s.color = style.color;
  s.face = style.face;
  s.length = static_cast<uint8_t>(
      WriteSafeText(text, source, SafeStyle::Picture, s.text, kPictureTextCapacity));
  return s;
}

void PictureDraw::Text(float x, float y, std::string_view text, const TextStyle& style,
                       TextSource source) {
  step_ = MakeTextStep(x, y, text, style, source);
  sink_.Add(step_);
}

void PictureDraw::NewPage() {
  sink_.Add(Start(PictureStepKind::NewPage));
}

}  // namespace zv
