// The width table the pages are laid out with, against the advances cairo itself gives DejaVu
// Sans: a table that says a character is narrower than it is drawn lets texts overlap.
#include <cairo-ft.h>
#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "base/safe_text.h"
#include "base/text1250.h"
#include "picture/font_files.h"
#include "report/text_width.h"

namespace zv {
namespace {

constexpr double kEm = 1000;  // the table's unit: thousandths of an em

// One face of DejaVu Sans at an em of 1000, laid out as the PDF player lays it out: unhinted.
class CairoFace {
 public:
  explicit CairoFace(bool bold) {
    std::string path;
    std::string why;
    if (FT_Init_FreeType(&freetype_) != 0 || !FindDejaVuFile(bold, path, why) ||
        FT_New_Face(freetype_, path.c_str(), 0, &face_) != 0) {
      return;
    }
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cr_ = cairo_create(surface_);
    font_ = cairo_ft_font_face_create_for_ft_face(face_, 0);
    cairo_set_font_face(cr_, font_);
    cairo_set_font_size(cr_, kEm);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_set_font_options(cr_, options);
    cairo_font_options_destroy(options);
  }
  ~CairoFace() {
    if (cr_ != nullptr) cairo_destroy(cr_);
    if (surface_ != nullptr) cairo_surface_destroy(surface_);
    if (font_ != nullptr) cairo_font_face_destroy(font_);
    // cairo's caches may hold the face still; they let go of it before FreeType closes it.
    cairo_debug_reset_static_data();
    if (face_ != nullptr) FT_Done_Face(face_);
    if (freetype_ != nullptr) FT_Done_FreeType(freetype_);
  }
  CairoFace(const CairoFace&) = delete;
  CairoFace& operator=(const CairoFace&) = delete;

  bool Ready() const { return cr_ != nullptr; }
  double Advance(char32_t cp) const {
    const cairo_glyph_t glyph{FT_Get_Char_Index(face_, cp), 0, 0};
    cairo_text_extents_t extents;
    cairo_glyph_extents(cr_, &glyph, 1, &extents);
    return extents.x_advance;
  }

 private:
  FT_Library freetype_ = nullptr;
  FT_Face face_ = nullptr;
  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
  cairo_font_face_t* font_ = nullptr;
};

// Every character a page may draw: Latin-1 and Latin Extended-A (every Polish letter), the
// whole of Windows-1250 (a logger's identifier), and the report's own signs.
std::vector<char32_t> PageCharacters() {
  std::vector<char32_t> out;
  for (char32_t cp = 0x20; cp < 0x180; ++cp) out.push_back(cp);
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    const char in = static_cast<char>(byte);
    char utf8[4];
    const std::size_t n = Cp1250ToUtf8(std::string_view(&in, 1), utf8, sizeof utf8);
    std::size_t at = 0;
    const long cp = DecodeUtf8(utf8, n, at);
    if (cp >= 0x180) out.push_back(static_cast<char32_t>(cp));
  }
  for (const char32_t cp : {U'Δ', U'—', U'–', U'…', U'·', U'°'}) out.push_back(cp);
  return out;
}

TEST(TextWidth, EveryCharacterAPageDrawsIsAsWideAsCairoDrawsIt) {
  for (const bool bold : {false, true}) {
    const CairoFace face(bold);
    if (!face.Ready()) GTEST_SKIP() << "no DejaVu Sans here to measure against";
    const TextWeight weight = bold ? TextWeight::Bold : TextWeight::Regular;
    for (const char32_t cp : PageCharacters()) {
      if (IsUnsafeCharacter(cp)) continue;  // drawn as '?', which is measured itself
      SCOPED_TRACE(std::to_string(static_cast<uint32_t>(cp)) + (bold ? " bold" : ""));
      EXPECT_NEAR(CharacterWidth(cp, kEm, weight), face.Advance(cp), 1.0);
    }
  }
  ReleaseFontSearch();
}

}  // namespace
}  // namespace zv
