// Linux and macOS: the faces as fontconfig knows them. Its answer is the closest face it has,
// which is another family when DejaVu is missing; only DejaVu Sans itself is accepted.
#include <fontconfig/fontconfig.h>

#include "picture/font_files.h"

namespace zv {

namespace {

constexpr char kFamily[] = "DejaVu Sans";

bool HasFamily(FcPattern* font) {
  FcChar8* family = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
    if (FcStrCmp(family, reinterpret_cast<const FcChar8*>(kFamily)) == 0) return true;
  }
  return false;
}

}  // namespace

bool FindDejaVuFile(bool bold, std::string& path, std::string& why) {
  FcPattern* pattern = FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, kFamily, FC_WEIGHT,
                                      FcTypeInteger, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR,
                                      FC_SLANT, FcTypeInteger, FC_SLANT_ROMAN, nullptr);
  if (pattern == nullptr || !FcConfigSubstitute(nullptr, pattern, FcMatchPattern)) {
    if (pattern != nullptr) FcPatternDestroy(pattern);
    why = "fontconfig cannot search for fonts";
    return false;
  }
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* font = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  FcChar8* file = nullptr;
  FcChar8* offered = nullptr;
  const bool found = font != nullptr && HasFamily(font) &&
                     FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch;
  if (found) {
    path = reinterpret_cast<const char*>(file);
  } else if (font != nullptr && FcPatternGetString(font, FC_FAMILY, 0, &offered) == FcResultMatch) {
    why = std::string("fontconfig offers ") + reinterpret_cast<const char*>(offered) +
          " instead of it";
  } else {
    why = "fontconfig knows no font";
  }
  if (font != nullptr) FcPatternDestroy(font);
  return found;
}

void ReleaseFontSearch() {
  FcFini();
}

}  // namespace zv
