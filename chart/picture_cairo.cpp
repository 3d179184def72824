#include "chart/picture_cairo.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cmath>

#include "base/safe_text.h"

namespace zv {

namespace {

constexpr const char* kFontFace = "DejaVu Sans";

constexpr double kA4Short = 595.276;  // points
constexpr double kA4Long = 841.89;
constexpr double kPdfMargin = 36;  // half an inch
constexpr double kPngPixelsPerPoint = 96.0 / 72.0;
constexpr double kLargestSide = 16384;
constexpr double kLargestArea = 64.0 * 1024 * 1024;
constexpr float kLargestCoordinate = 1e7f;

cairo_status_t WriteToSink(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<ByteSink*>(closure)->Put(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

double Coordinate(float value) {
  if (!std::isfinite(value)) return 0;
  return value > kLargestCoordinate    ? kLargestCoordinate
         : value < -kLargestCoordinate ? -kLargestCoordinate
                                       : value;
}

void SetColor(cairo_t* cr, uint32_t color, uint8_t alpha = 255) {
  cairo_set_source_rgba(cr, (color & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                        ((color >> 16) & 0xFF) / 255.0, alpha / 255.0);
}

std::size_t CountPages(const PictureView& picture) {
  std::size_t pages = 1;
  for (std::size_t i = 0; i < picture.count; ++i) {
    if (picture.steps[i].kind == PictureStepKind::NewPage) ++pages;
  }
  return pages;
}

// Plays steps onto a cairo context; a page break is the caller's (a PDF page or a shift down).
class CairoPlayer {
 public:
  explicit CairoPlayer(cairo_t* cr) : cr_(cr) { pen_.size = 1; }

  void Play(const PictureStep& s) {
    if (s.kind != PictureStepKind::LineTo) StrokePath();
    switch (s.kind) {
      case PictureStepKind::Pen:
        pen_ = s;
        break;
      case PictureStepKind::Line:
        cairo_move_to(cr_, Coordinate(s.x), Coordinate(s.y));
        cairo_line_to(cr_, Coordinate(s.x2), Coordinate(s.y2));
        inPath_ = true;
        StrokePath();
        break;
      case PictureStepKind::MoveTo:
        cairo_move_to(cr_, Coordinate(s.x), Coordinate(s.y));
        inPath_ = true;
        break;
      case PictureStepKind::LineTo:
        if (!inPath_) cairo_move_to(cr_, Coordinate(s.x), Coordinate(s.y));
        cairo_line_to(cr_, Coordinate(s.x), Coordinate(s.y));
        inPath_ = true;
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

  void StrokePath() {
    if (!inPath_) return;
    inPath_ = false;
    SetColor(cr_, pen_.color);
    cairo_set_line_width(cr_, pen_.size > 0 ? Coordinate(pen_.size) : 0);
    const double dashes[2] = {Coordinate(pen_.dashOn), Coordinate(pen_.dashOff)};
    cairo_set_dash(cr_, dashes, dashes[0] > 0 && dashes[1] > 0 ? 2 : 0, 0);
    if (pen_.size > 0) {
      cairo_stroke(cr_);
    } else {
      cairo_new_path(cr_);
    }
  }

 private:
  void Fill(const PictureStep& s) {
    const double x = Coordinate(s.x);
    const double y = Coordinate(s.y);
    cairo_rectangle(cr_, x, y, Coordinate(s.x2) - x, Coordinate(s.y2) - y);
    SetColor(cr_, s.color, s.alpha);
    cairo_fill(cr_);
  }

  void Text(const PictureStep& s) {
    char text[kPictureTextCapacity + 1];
    text[WriteSafeText(s.Text(), TextSource::Utf8, SafeStyle::Picture, text,
                       kPictureTextCapacity)] = '\0';
    cairo_select_font_face(
        cr_, kFontFace, CAIRO_FONT_SLANT_NORMAL,
        s.weight == TextWeight::Bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, Coordinate(s.size));
    double x = Coordinate(s.x);
    if (s.anchor != TextAnchor::Start) {
      cairo_text_extents_t extents;
      cairo_text_extents(cr_, text, &extents);
      x -= s.anchor == TextAnchor::Middle ? extents.x_advance / 2 : extents.x_advance;
    }
    SetColor(cr_, s.color);
    cairo_move_to(cr_, x, Coordinate(s.y));
    cairo_show_text(cr_, text);
    cairo_new_path(cr_);
  }

  cairo_t* cr_;
  PictureStep pen_;
  bool inPath_ = false;
};

// Draws and releases the context; true when neither it nor its surface met an error.
bool Finish(cairo_t* cr, cairo_surface_t* surface) {
  const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const bool written = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return drawn && written;
}

}  // namespace

bool PictureCairoAvailable() {
  return true;
}

void ReleasePictureCaches() {
  cairo_debug_reset_static_data();
  FcFini();
}

bool WritePicturePng(const PictureView& picture, ByteSink& sink) {
  const PictureHeader& h = picture.header;
  const double scale = h.unit == PictureUnit::Point ? kPngPixelsPerPoint : 1;
  const double pageHeight = Coordinate(h.height) * scale;
  const double width = std::ceil(Coordinate(h.width) * scale);
  const double height = std::ceil(pageHeight * static_cast<double>(CountPages(picture)));
  if (!(width >= 1 && height >= 1 && width <= kLargestSide && height <= kLargestSide &&
        width * height <= kLargestArea)) {
    return false;
  }
  cairo_surface_t* surface = cairo_image_surface_create(
      CAIRO_FORMAT_ARGB32, static_cast<int>(width), static_cast<int>(height));
  cairo_t* cr = cairo_create(surface);
  if (h.crispEdges) cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_scale(cr, scale, scale);
  CairoPlayer player(cr);
  for (std::size_t i = 0; i < picture.count; ++i) {
    player.Play(picture.steps[i]);
    if (picture.steps[i].kind == PictureStepKind::NewPage) cairo_translate(cr, 0, h.height);
  }
  player.StrokePath();
  cairo_surface_flush(surface);
  const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
  cairo_destroy(cr);
  const bool written = drawn && cairo_surface_write_to_png_stream(surface, WriteToSink, &sink) ==
                                    CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}

bool WritePicturePdf(const PictureView& picture, ByteSink& sink) {
  const PictureHeader& h = picture.header;
  const double width = Coordinate(h.width);
  const double height = Coordinate(h.height);
  if (!(width > 0 && height > 0)) return false;
  double pageWidth = width;
  double pageHeight = height;
  double scale = 1;
  double left = 0;
  double top = 0;
  if (h.unit == PictureUnit::Pixel) {
    const bool landscape = width > height;
    pageWidth = landscape ? kA4Long : kA4Short;
    pageHeight = landscape ? kA4Short : kA4Long;
    scale = std::fmin((pageWidth - 2 * kPdfMargin) / width, (pageHeight - 2 * kPdfMargin) / height);
    left = (pageWidth - width * scale) / 2;
    top = kPdfMargin;
  }
  cairo_surface_t* surface =
      cairo_pdf_surface_create_for_stream(WriteToSink, &sink, pageWidth, pageHeight);
  cairo_t* cr = cairo_create(surface);
  cairo_translate(cr, left, top);
  cairo_scale(cr, scale, scale);
  CairoPlayer player(cr);
  for (std::size_t i = 0; i < picture.count; ++i) {
    player.Play(picture.steps[i]);
    if (picture.steps[i].kind == PictureStepKind::NewPage) cairo_show_page(cr);
  }
  player.StrokePath();
  cairo_show_page(cr);
  return Finish(cr, surface);
}

}  // namespace zv
