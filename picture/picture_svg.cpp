#include "picture/picture_svg.h"

#include <cmath>
#include <cstdio>

#include "base/safe_text.h"

namespace zv {

namespace {

// The longest element: a text of 64 bytes, each escaped to at most 5, and its attributes.
constexpr std::size_t kElementCapacity = 640;

// A face, then DejaVu Sans where the viewer lacks it.
const char* FontFamily(TypeFace face) {
  switch (face) {
    case TypeFace::Tahoma:
      return "Tahoma, 'DejaVu Sans', sans-serif";
    case TypeFace::Arial:
      return "Arial, 'DejaVu Sans', sans-serif";
    case TypeFace::DejaVuSans:
      break;
  }
  return "'DejaVu Sans', 'DejaVu Sans Condensed', sans-serif";
}

// 0x00BBGGRR as "#rrggbb".
struct Hex {
  explicit Hex(uint32_t color) {
    std::snprintf(text, sizeof text, "#%02x%02x%02x", color & 0xFFu, (color >> 8) & 0xFFu,
                  (color >> 16) & 0xFFu);
  }
  char text[8];
};

struct Num {
  explicit Num(float value) { SvgNumber(value, text); }
  char text[16];
};

// A pen's name as a class: letters, digits, '-' and '_' only.
std::size_t ClassName(std::string_view name, char* out, std::size_t capacity) {
  std::size_t used = 0;
  for (char c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_';
    if (plain && used + 1 < capacity) out[used++] = c;
  }
  out[used] = '\0';
  return used;
}

// Cleaned UTF-8 with the characters XML reserves escaped, NUL-terminated.
void EscapedText(std::string_view text, char* out, std::size_t capacity) {
  char clean[kPictureTextCapacity];
  const std::size_t n =
      WriteSafeText(text, TextSource::Utf8, SafeStyle::Picture, clean, sizeof clean);
  std::size_t used = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = clean[i];
    const std::string_view piece = c == '&'   ? "&amp;"
                                   : c == '<' ? "&lt;"
                                   : c == '>' ? "&gt;"
                                              : std::string_view(&clean[i], 1);
    if (used + piece.size() + 1 > capacity) break;
    for (char p : piece) out[used++] = p;
  }
  out[used] = '\0';
}

}  // namespace

// Digits by hand: the chart's SVG writes four numbers a line, and snprintf for each one
// tripled its time.
std::size_t SvgNumber(float value, char* out) {
  if (!std::isfinite(value)) value = 0;
  if (value > kLargestCoordinate) value = kLargestCoordinate;
  if (value < -kLargestCoordinate) value = -kLargestCoordinate;
  const long long hundredths = std::llround(static_cast<double>(value) * 100);
  unsigned long long magnitude =
      static_cast<unsigned long long>(hundredths < 0 ? -hundredths : hundredths);
  char reversed[16];
  std::size_t n = 0;
  const unsigned fraction = static_cast<unsigned>(magnitude % 100);
  if (fraction != 0) {
    if (fraction % 10 != 0) reversed[n++] = static_cast<char>('0' + fraction % 10);
    reversed[n++] = static_cast<char>('0' + fraction / 10);
    reversed[n++] = '.';
  }
  magnitude /= 100;
  do {
    reversed[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::size_t used = 0;
  if (hundredths < 0) out[used++] = '-';
  while (n > 0) out[used++] = reversed[--n];
  out[used] = '\0';
  return used;
}

template <typename... Args>
void SvgPicturePlayer::Print(const char* format, Args... args) {
  char element[kElementCapacity];
  const int n = std::snprintf(element, sizeof element, format, args...);
  if (n > 0) {
    out_.Put(element, static_cast<std::size_t>(n) < sizeof element ? static_cast<std::size_t>(n)
                                                                   : sizeof element - 1);
  }
}

void SvgPicturePlayer::Put(std::string_view text) {
  out_.Put(text.data(), text.size());
}

void SvgPicturePlayer::Begin(const PictureHeader& header) {
  header_ = header;
  if (header_.pages == 0) header_.pages = 1;
  pen_ = PictureStep{};
  pen_.kind = PictureStepKind::Pen;
  pen_.size = 1;
  penOpen_ = inPolyline_ = pageOpen_ = false;
  page_ = 0;
  const char* unit = header_.unit == PictureUnit::Point ? "pt" : "";
  const Num width(header_.width);
  const Num height(header_.height * header_.pages);
  Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  Print(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%s%s\" height=\"%s%s\" "
      "viewBox=\"0 0 %s %s\" font-family=\"%s\" xml:space=\"preserve\"%s>\n",
      width.text, unit, height.text, unit, width.text, height.text, FontFamily(header_.face),
      header_.crispEdges ? " shape-rendering=\"crispEdges\"" : "");
}

void SvgPicturePlayer::OpenPenGroup() {
  if (penOpen_) return;
  char name[kPictureTextCapacity + 1];
  char cls[kPictureTextCapacity + 16] = "";
  if (ClassName(pen_.Text(), name, sizeof name) != 0) {
    std::snprintf(cls, sizeof cls, " class=\"%s\"", name);
  }
  char dash[64] = "";
  if (pen_.dashOn > 0 && pen_.dashOff > 0) {
    std::snprintf(dash, sizeof dash, " stroke-dasharray=\"%s %s\"", Num(pen_.dashOn).text,
                  Num(pen_.dashOff).text);
  }
  Print("<g%s stroke=\"%s\" stroke-width=\"%s\"%s fill=\"none\">\n", cls, Hex(pen_.color).text,
        Num(pen_.size).text, dash);
  penOpen_ = true;
}

void SvgPicturePlayer::EndPolyline() {
  if (!inPolyline_) return;
  Put("\"/>\n");
  inPolyline_ = false;
}

void SvgPicturePlayer::ClosePenGroup() {
  EndPolyline();
  if (penOpen_) Put("</g>\n");
  penOpen_ = false;
}

void SvgPicturePlayer::WriteFill(const PictureStep& s) {
  const float left = s.x < s.x2 ? s.x : s.x2;
  const float top = s.y < s.y2 ? s.y : s.y2;
  char opacity[40] = "";
  if (s.alpha != 255) {
    std::snprintf(opacity, sizeof opacity, " fill-opacity=\"%s\"", Num(s.alpha / 255.0f).text);
  }
  Print("<rect x=\"%s\" y=\"%s\" width=\"%s\" height=\"%s\" fill=\"%s\"%s/>\n", Num(left).text,
        Num(top).text, Num(std::fabs(s.x2 - s.x)).text, Num(std::fabs(s.y2 - s.y)).text,
        Hex(s.color).text, opacity);
}

void SvgPicturePlayer::WriteText(const PictureStep& s) {
  char text[kPictureTextCapacity * 5 + 1];
  EscapedText(s.Text(), text, sizeof text);
  const char* anchor = s.anchor == TextAnchor::Middle ? " text-anchor=\"middle\""
                       : s.anchor == TextAnchor::End  ? " text-anchor=\"end\""
                                                      : "";
  // The document names the face of most texts; a text in another names its own.
  char family[80] = "";
  if (s.face != header_.face) {
    std::snprintf(family, sizeof family, " font-family=\"%s\"", FontFamily(s.face));
  }
  Print("<text x=\"%s\" y=\"%s\"%s font-size=\"%s\"%s%s fill=\"%s\">%s</text>\n", Num(s.x).text,
        Num(s.y).text, family, Num(s.size).text,
        s.weight == TextWeight::Bold ? " font-weight=\"bold\"" : "", anchor, Hex(s.color).text,
        text);
}

void SvgPicturePlayer::StartPage() {
  ClosePenGroup();
  if (pageOpen_) Put("</g>\n");
  pageOpen_ = false;
  if (page_ < UINT16_MAX) ++page_;
  if (page_ >= header_.pages) return;
  Print("<g transform=\"translate(0 %s)\">\n", Num(header_.height * page_).text);
  pageOpen_ = true;
}

void SvgPicturePlayer::Add(const PictureStep& s) {
  // Steps of a page the canvas has no room for are not drawn.
  if (page_ >= header_.pages) return;
  switch (s.kind) {
    case PictureStepKind::Pen:
      ClosePenGroup();
      pen_ = s;
      break;
    case PictureStepKind::Line:
      EndPolyline();
      OpenPenGroup();
      Print("<line x1=\"%s\" y1=\"%s\" x2=\"%s\" y2=\"%s\"/>\n", Num(s.x).text, Num(s.y).text,
            Num(s.x2).text, Num(s.y2).text);
      break;
    case PictureStepKind::MoveTo:
      EndPolyline();
      OpenPenGroup();
      Print("<polyline points=\"%s,%s", Num(s.x).text, Num(s.y).text);
      inPolyline_ = true;
      break;
    case PictureStepKind::LineTo:
      // A polyline without its start begins where this step is.
      if (!inPolyline_) {
        OpenPenGroup();
        Print("<polyline points=\"%s,%s", Num(s.x).text, Num(s.y).text);
        inPolyline_ = true;
      }
      Print(" %s,%s", Num(s.x).text, Num(s.y).text);
      break;
    case PictureStepKind::FillRect:
      ClosePenGroup();
      WriteFill(s);
      break;
    case PictureStepKind::Text:
      ClosePenGroup();
      WriteText(s);
      break;
    case PictureStepKind::NewPage:
      StartPage();
      break;
  }
}

void SvgPicturePlayer::Finish() {
  ClosePenGroup();
  if (pageOpen_) Put("</g>\n");
  pageOpen_ = false;
  Put("</svg>\n");
}

void WritePictureSvg(const PictureView& picture, ByteSink& sink) {
  PictureHeader header = picture.header;
  std::size_t pages = 1;
  for (std::size_t i = 0; i < picture.count; ++i) {
    if (picture.steps[i].kind == PictureStepKind::NewPage && pages < UINT16_MAX) ++pages;
  }
  header.pages = static_cast<uint16_t>(pages);
  SvgPicturePlayer player(sink);
  player.Begin(header);
  for (std::size_t i = 0; i < picture.count; ++i) player.Add(picture.steps[i]);
  player.Finish();
}

}  // namespace zv
