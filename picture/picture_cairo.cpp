#include "picture/picture_cairo.h"

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstring>

#include "base/safe_text.h"
#include "picture/font_files.h"

namespace zv {

namespace {

constexpr const char* kFamily = "DejaVu Sans";

constexpr double kPdfMargin = 36;  // half an inch
constexpr double kPngPixelsPerPoint = 96.0 / 72.0;
constexpr double kLargestSide = 16384;
constexpr double kLargestArea = 64.0 * 1024 * 1024;

// DejaVu Sans and its bold, loaded once a process and checked to be those faces.
struct Typeface {
  FT_Library freetype = nullptr;
  cairo_font_face_t* faces[2] = {nullptr, nullptr};  // regular, bold
  bool tried = false;
  std::string why;
};
Typeface g_typeface;

// The face in `path`, for cairo; the face is released when cairo lets go of it.
cairo_font_face_t* LoadFace(const std::string& path, bool bold, std::string& why) {
  FT_Face face = nullptr;
  if (FT_New_Face(g_typeface.freetype, path.c_str(), 0, &face) != 0) {
    why = path + " cannot be read as a font";
    return nullptr;
  }
  const char* style = bold ? "Bold" : "Book";
  if (face->family_name == nullptr || std::strcmp(face->family_name, kFamily) != 0 ||
      face->style_name == nullptr || std::strcmp(face->style_name, style) != 0) {
    why = path + " is not " + kFamily + " " + style;
    FT_Done_Face(face);
    return nullptr;
  }
  cairo_font_face_t* font = cairo_ft_font_face_create_for_ft_face(face, 0);
  static const cairo_user_data_key_t kOwnedFace{};
  if (cairo_font_face_set_user_data(font, &kOwnedFace, face, [](void* owned) {
        FT_Done_Face(static_cast<FT_Face>(owned));
      }) != CAIRO_STATUS_SUCCESS) {
    cairo_font_face_destroy(font);
    FT_Done_Face(face);
    why = "cairo cannot take the font";
    return nullptr;
  }
  return font;
}

bool LoadTypeface() {
  Typeface& t = g_typeface;
  if (t.tried) return t.faces[0] != nullptr && t.faces[1] != nullptr;
  t.tried = true;
  if (FT_Init_FreeType(&t.freetype) != 0) {
    t.why = "FreeType cannot start";
    return false;
  }
  for (const bool bold : {false, true}) {
    std::string path;
    std::string why;
    cairo_font_face_t* face = FindDejaVuFile(bold, path, why) ? LoadFace(path, bold, why) : nullptr;
    if (face == nullptr) {
      t.why = std::string(kFamily) + (bold ? " Bold" : "") + " cannot be used: " + why;
      return false;
    }
    t.faces[bold ? 1 : 0] = face;
  }
  return true;
}

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
    cairo_set_font_face(cr_, g_typeface.faces[s.weight == TextWeight::Bold ? 1 : 0]);
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

bool PictureFontsReady(std::string& why) {
  if (LoadTypeface()) return true;
  why = g_typeface.why;
  return false;
}

void ReleasePictureCaches() {
  Typeface& t = g_typeface;
  for (cairo_font_face_t*& face : t.faces) {
    if (face != nullptr) cairo_font_face_destroy(face);
    face = nullptr;
  }
  // The faces' last references go with cairo's caches, and with them the FreeType faces.
  cairo_debug_reset_static_data();
  if (t.freetype != nullptr) FT_Done_FreeType(t.freetype);
  t = Typeface{};
  ReleaseFontSearch();
}

bool WritePicturePng(const PictureView& picture, ByteSink& sink) {
  if (!LoadTypeface()) return false;
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

bool WritePicturePdf(const PictureView& picture, ByteSink& sink, const PdfInfo& info) {
  if (!LoadTypeface()) return false;
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
    pageWidth = landscape ? kA4LongSide : kA4ShortSide;
    pageHeight = landscape ? kA4ShortSide : kA4LongSide;
    scale = std::fmin((pageWidth - 2 * kPdfMargin) / width, (pageHeight - 2 * kPdfMargin) / height);
    left = (pageWidth - width * scale) / 2;
    top = kPdfMargin;
  }
  cairo_surface_t* surface =
      cairo_pdf_surface_create_for_stream(WriteToSink, &sink, pageWidth, pageHeight);
  if (!info.title.empty()) {
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, info.title.c_str());
  }
  if (!info.creator.empty()) {
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, info.creator.c_str());
  }
  if (!info.keywords.empty()) {
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_KEYWORDS, info.keywords.c_str());
  }
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
