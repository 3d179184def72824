#include "picture/picture_gdi_win32.h"

#include <cmath>

#include "base/text1250.h"

namespace zv {

namespace {

const wchar_t* FaceName(TypeFace face) {
  switch (face) {
    case TypeFace::Tahoma:
      return L"Tahoma";
    case TypeFace::Arial:
      return L"Arial";
    case TypeFace::DejaVuSans:
      break;
  }
  return L"DejaVu Sans";
}

int Pixel(float value) {
  if (!std::isfinite(value)) return 0;
  const float clamped = value > kLargestCoordinate    ? kLargestCoordinate
                        : value < -kLargestCoordinate ? -kLargestCoordinate
                                                      : value;
  return static_cast<int>(std::lround(clamped));
}

// A step's UTF-8 as UTF-16, NUL-terminated; returns the units written. A code point never
// takes more units than bytes, so the step's whole text fits.
int ToUtf16(std::string_view utf8, wchar_t (&out)[kPictureTextCapacity + 1]) {
  int used = 0;
  for (std::size_t i = 0; i < utf8.size() && used + 2 <= static_cast<int>(kPictureTextCapacity);) {
    long cp = DecodeUtf8(utf8.data(), utf8.size(), i);
    if (cp < 0) cp = '?';
    if (cp >= 0x10000) {
      out[used++] = static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
      out[used++] = static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out[used++] = static_cast<wchar_t>(cp);
    }
  }
  out[used] = L'\0';
  return used;
}

UINT AlignOf(TextAnchor anchor) {
  const UINT horizontal = anchor == TextAnchor::Middle ? TA_CENTER
                          : anchor == TextAnchor::End  ? TA_RIGHT
                                                       : TA_LEFT;
  return TA_TOP | horizontal;
}

class GdiPlayer {
 public:
  GdiPlayer(HDC dc, const GdiTools& tools) : dc_(dc), tools_(tools) {
    originalPen_ = GetCurrentObject(dc, OBJ_PEN);
    originalFont_ = GetCurrentObject(dc, OBJ_FONT);
    originalColor_ = GetTextColor(dc);
    originalAlign_ = GetTextAlign(dc);
    originalMode_ = SetBkMode(dc, TRANSPARENT);
    align_ = originalAlign_;
  }
  ~GdiPlayer() {
    SelectObject(dc_, originalPen_);
    SelectObject(dc_, originalFont_);
    SetTextColor(dc_, originalColor_);
    SetTextAlign(dc_, originalAlign_);
    SetBkMode(dc_, originalMode_);
  }
  GdiPlayer(const GdiPlayer&) = delete;
  GdiPlayer& operator=(const GdiPlayer&) = delete;

  void Play(const PictureStep& s) {
    switch (s.kind) {
      case PictureStepKind::Pen:
        SelectObject(dc_, PenFor(s));
        break;
      case PictureStepKind::Line:
        MoveToEx(dc_, Pixel(s.x), Pixel(s.y), nullptr);
        LineTo(dc_, Pixel(s.x2), Pixel(s.y2));
        break;
      case PictureStepKind::MoveTo:
        MoveToEx(dc_, Pixel(s.x), Pixel(s.y), nullptr);
        break;
      case PictureStepKind::LineTo:
        LineTo(dc_, Pixel(s.x), Pixel(s.y));
        break;
      case PictureStepKind::FillRect:
        Fill(s);
        break;
      case PictureStepKind::Text:
        Text(s);
        break;
      case PictureStepKind::NewPage:
        break;
    }
  }

 private:
  HGDIOBJ PenFor(const PictureStep& s) const {
    for (std::size_t i = 0; i < tools_.penCount; ++i) {
      const GdiPen& pen = tools_.pens[i];
      if (IsPenOf(pen.pen, s) && pen.handle != nullptr) return pen.handle;
    }
    return GetStockObject(BLACK_PEN);
  }

  void Fill(const PictureStep& s) {
    const int left = Pixel(s.x < s.x2 ? s.x : s.x2);
    const int right = Pixel(s.x < s.x2 ? s.x2 : s.x);
    const int top = Pixel(s.y < s.y2 ? s.y : s.y2);
    const int bottom = Pixel(s.y < s.y2 ? s.y2 : s.y);
    const RECT area{left, top, right, bottom};
    const COLORREF previous = SetDCBrushColor(dc_, s.color);
    FillRect(dc_, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc_, previous);
  }

  void Text(const PictureStep& s) {
    // The baseline goes back to the top of the cell by the font's own measure.
    HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    float baseline = s.size;
    for (std::size_t i = 0; i < tools_.fontCount; ++i) {
      const GdiFont& candidate = tools_.fonts[i];
      if (DrawsText(candidate.font, s) && candidate.handle != nullptr) {
        font = candidate.handle;
        baseline = candidate.font.baseline;
        break;
      }
    }
    SelectObject(dc_, font);
    SetTextColor(dc_, s.color);
    const UINT align = AlignOf(s.anchor);
    if (align != align_) SetTextAlign(dc_, align);
    align_ = align;
    wchar_t text[kPictureTextCapacity + 1];
    const int length = ToUtf16(s.Text(), text);
    if (length > 0) TextOutW(dc_, Pixel(s.x), Pixel(s.y - baseline), text, length);
  }

  HDC dc_;
  const GdiTools& tools_;
  HGDIOBJ originalPen_;
  HGDIOBJ originalFont_;
  COLORREF originalColor_;
  UINT originalAlign_;
  int originalMode_;
  UINT align_;
};

}  // namespace

HFONT CreateScreenFont(const ScreenFont& font) {
  return CreateFontW(font.cellHeight, 0, 0, 0, font.windowsWeight, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH, FaceName(font.face));
}

HPEN CreateScreenPen(const ScreenPen& pen) {
  return CreatePen(pen.dotted ? PS_DOT : PS_SOLID, pen.width, pen.color);
}

void PlayPicture(HDC dc, const PictureView& picture, const GdiTools& tools) {
  GdiPlayer player(dc, tools);
  for (std::size_t i = 0; i < picture.count; ++i) player.Play(picture.steps[i]);
}

}  // namespace zv
