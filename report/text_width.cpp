#include "report/text_width.h"

#include "base/safe_text.h"
#include "base/text1250.h"

namespace zv {

namespace {

constexpr char32_t kFirstMeasured = 0x20;
constexpr char32_t kEndMeasured = 0x180;
// A character the tables lack counts as an em and a tenth, as wide as the widest letter (a
// bold W), so that a text is never taken as narrower than it is drawn.
constexpr uint16_t kUnmeasured = 1110;

// Advances of U+0020..U+017F (ASCII, Latin-1, Latin Extended-A: every Polish letter) in
// thousandths of an em, as cairo lays out DejaVu Sans and DejaVu Sans Bold (no kerning in its
// text API). The C1 controls have the missing glyph's advance.
constexpr uint16_t kRegular[kEndMeasured - kFirstMeasured] = {
    318,  401,  460, 838, 636, 950, 780, 275, 390, 390, 500, 838,  318, 361, 318,  337, 636,  636,
    636,  636,  636, 636, 636, 636, 636, 636, 337, 337, 838, 838,  838, 531, 1000, 684, 686,  698,
    770,  632,  575, 775, 752, 295, 295, 656, 557, 863, 748, 787,  603, 787, 695,  635, 611,  732,
    684,  989,  685, 611, 685, 390, 337, 390, 838, 500, 500, 613,  635, 550, 635,  615, 352,  635,
    634,  278,  278, 579, 278, 974, 634, 612, 635, 635, 411, 521,  392, 634, 592,  818, 592,  592,
    525,  636,  337, 636, 838, 600, 600, 600, 600, 600, 600, 600,  600, 600, 600,  600, 600,  600,
    600,  600,  600, 600, 600, 600, 600, 600, 600, 600, 600, 600,  600, 600, 600,  600, 600,  600,
    600,  600,  318, 401, 636, 636, 636, 636, 337, 500, 500, 1000, 471, 612, 838,  361, 1000, 500,
    500,  838,  401, 401, 500, 636, 636, 318, 500, 401, 471, 612,  969, 969, 969,  531, 684,  684,
    684,  684,  684, 684, 974, 698, 632, 632, 632, 632, 295, 295,  295, 295, 775,  748, 787,  787,
    787,  787,  787, 838, 787, 732, 732, 732, 732, 611, 605, 630,  613, 613, 613,  613, 613,  613,
    982,  550,  615, 615, 615, 615, 278, 278, 278, 278, 612, 634,  612, 612, 612,  612, 612,  838,
    612,  634,  634, 634, 634, 592, 635, 592, 684, 613, 684, 613,  684, 613, 698,  550, 698,  550,
    698,  550,  698, 550, 770, 635, 775, 635, 632, 615, 632, 615,  632, 615, 632,  615, 632,  615,
    775,  635,  775, 635, 775, 635, 775, 635, 752, 634, 916, 695,  295, 278, 295,  278, 295,  278,
    295,  278,  295, 278, 590, 556, 295, 278, 656, 579, 579, 557,  278, 557, 278,  557, 375,  557,
    342,  562,  284, 748, 634, 748, 634, 748, 634, 813, 748, 634,  787, 612, 787,  612, 787,  612,
    1070, 1023, 695, 411, 695, 411, 695, 411, 635, 521, 635, 521,  635, 521, 635,  521, 611,  392,
    611,  392,  611, 392, 732, 634, 732, 634, 732, 634, 732, 634,  732, 634, 732,  634, 989,  818,
    611,  592,  611, 685, 525, 685, 525, 685, 525, 352,
};
constexpr uint16_t kBold[kEndMeasured - kFirstMeasured] = {
    348,  456,  521, 838,  696,  1002, 872,  306, 457, 457,  523, 838,  380, 415,  380, 365,  696,
    696,  696,  696, 696,  696,  696,  696,  696, 696, 400,  400, 838,  838, 838,  580, 1000, 774,
    762,  734,  830, 683,  683,  821,  837,  372, 372, 775,  637, 995,  837, 850,  733, 850,  770,
    720,  682,  812, 774,  1103, 771,  724,  725, 457, 365,  457, 838,  500, 500,  675, 716,  593,
    716,  678,  435, 716,  712,  343,  343,  665, 343, 1042, 712, 687,  716, 716,  493, 595,  478,
    712,  652,  924, 645,  652,  582,  712,  365, 712, 838,  600, 600,  600, 600,  600, 600,  600,
    600,  600,  600, 600,  600,  600,  600,  600, 600, 600,  600, 600,  600, 600,  600, 600,  600,
    600,  600,  600, 600,  600,  600,  600,  600, 600, 348,  456, 696,  696, 636,  696, 365,  500,
    500,  1000, 564, 646,  838,  415,  1000, 500, 500, 838,  438, 438,  500, 736,  636, 380,  500,
    438,  564,  646, 1035, 1035, 1035, 580,  774, 774, 774,  774, 774,  774, 1085, 734, 683,  683,
    683,  683,  372, 372,  372,  372,  838,  837, 850, 850,  850, 850,  850, 838,  850, 812,  812,
    812,  812,  724, 738,  719,  675,  675,  675, 675, 675,  675, 1048, 593, 678,  678, 678,  678,
    343,  343,  343, 343,  687,  712,  687,  687, 687, 687,  687, 838,  687, 712,  712, 712,  712,
    652,  716,  652, 774,  675,  774,  675,  774, 675, 734,  593, 734,  593, 734,  593, 734,  593,
    830,  716,  838, 716,  683,  678,  683,  678, 683, 678,  683, 678,  683, 678,  821, 716,  821,
    716,  821,  716, 821,  716,  837,  712,  974, 790, 372,  343, 372,  343, 372,  343, 372,  343,
    372,  343,  744, 686,  372,  343,  775,  665, 665, 637,  343, 637,  343, 637,  480, 637,  557,
    642,  371,  837, 712,  837,  712,  837,  712, 983, 837,  712, 850,  687, 850,  687, 850,  687,
    1167, 1094, 770, 493,  770,  493,  770,  493, 720, 595,  720, 595,  720, 595,  720, 595,  682,
    478,  682,  478, 682,  478,  812,  712,  812, 712, 812,  712, 812,  712, 812,  712, 812,  712,
    1103, 924,  724, 652,  724,  725,  582,  725, 582, 725,  582, 435,
};

// The characters beyond the table that the pages draw: the rest of Windows-1250, which a
// logger's identifier may hold, and the report's own Δ, dashes and ellipsis; in code point
// order, measured as the table is.
struct Advance {
  char32_t cp;
  uint16_t regular;
  uint16_t bold;
};
constexpr Advance kBeyondTable[] = {
    {0x02C7, 500, 500}, {0x02D8, 500, 500},   {0x02D9, 500, 500},   {0x02DB, 500, 500},
    {0x02DD, 500, 500}, {0x0394, 684, 774},   {0x2013, 500, 500},   {0x2014, 1000, 1000},
    {0x2018, 318, 380}, {0x2019, 318, 380},   {0x201A, 318, 380},   {0x201C, 518, 657},
    {0x201D, 518, 657}, {0x201E, 518, 657},   {0x2020, 500, 500},   {0x2021, 500, 500},
    {0x2022, 590, 639}, {0x2026, 1000, 1000}, {0x2030, 1342, 1440}, {0x2039, 400, 412},
    {0x203A, 400, 412}, {0x20AC, 636, 696},   {0x2122, 1000, 1000},
};

uint16_t Thousandths(char32_t cp, TextWeight weight) {
  const bool bold = weight == TextWeight::Bold;
  if (cp >= kFirstMeasured && cp < kEndMeasured) {
    return (bold ? kBold : kRegular)[cp - kFirstMeasured];
  }
  for (const Advance& a : kBeyondTable) {
    if (a.cp == cp) return bold ? a.bold : a.regular;
  }
  return kUnmeasured;
}

// The character at text[i] and its length, as the players draw it: a valid sequence is
// itself; an invalid byte or an unsafe character is one '?'.
std::size_t NextCharacter(std::string_view text, std::size_t i, char32_t& cp) {
  const std::size_t length = DecodeCharacter(text, i, cp);
  if (length == 0 || IsUnsafeCharacter(cp)) cp = U'?';
  return length == 0 ? 1 : length;
}

}  // namespace

std::size_t DecodeCharacter(std::string_view text, std::size_t i, char32_t& cp) {
  if (i >= text.size()) return 0;
  std::size_t next = i;
  const long decoded = DecodeUtf8(text.data(), text.size(), next);
  if (decoded < 0) return 0;
  cp = static_cast<char32_t>(decoded);
  return next - i;
}

float CharacterWidth(char32_t cp, float size, TextWeight weight) {
  return static_cast<float>(Thousandths(cp, weight)) * size / 1000.0f;
}

float TextWidth(std::string_view utf8, float size, TextWeight weight) {
  float width = 0;
  char32_t cp = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    i += NextCharacter(utf8, i, cp);
    width += CharacterWidth(cp, size, weight);
  }
  return width;
}

std::size_t FittingBytes(std::string_view utf8, float width, float size, TextWeight weight) {
  float used = 0;
  char32_t cp = 0;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::size_t length = NextCharacter(utf8, i, cp);
    used += CharacterWidth(cp, size, weight);
    if (used > width) break;
    i += length;
  }
  return i;
}

std::size_t CountCharacters(std::string_view utf8) {
  std::size_t count = 0;
  char32_t cp = 0;
  for (std::size_t i = 0; i < utf8.size(); ++count) i += NextCharacter(utf8, i, cp);
  return count;
}

}  // namespace zv
