#include <gtest/gtest.h>

#include "base/text1250.h"

namespace zv {
namespace {

// The literal converter and its inverse agree with the decoding table, in the build itself.
static_assert(Cp1250(u8"Połączę \u0081\u0098").view() == "Po\xB3\xB9\x63z\xEA \x81\x98");
static_assert(UnicodeToCp1250(0xFFFD) == -1);
// Columns: a Polish letter is one, and so is each stray byte of a broken sequence.
static_assert(Utf8Characters("Chłodnia 3") == 10);
static_assert(Utf8Characters("a\xF0\x9F\x98\x80"
                             "b\xC5") == 4);

TEST(Text1250, DecodesEachByteAsWindowsDoes) {
  struct Row {
    unsigned char byte;
    char32_t codePoint;
  };
  // The five bytes the code page leaves unassigned decode to the C1 control of their value.
  const Row rows[] = {{0x1B, 0x1B},   {0x41, 'A'},    {0x7F, 0x7F},   {0x80, 0x20AC},
                      {0x81, 0x81},   {0x83, 0x83},   {0x88, 0x88},   {0x90, 0x90},
                      {0x98, 0x98},   {0x8A, 0x0160}, {0x9F, 0x017A}, {0xA0, 0x00A0},
                      {0xA5, 0x0104}, {0xB3, 0x0142}, {0xEA, 0x0119}, {0xFF, 0x02D9}};
  for (const Row& row : rows) {
    EXPECT_EQ(Cp1250ToUnicode(row.byte), row.codePoint) << "byte " << int{row.byte};
  }
}

TEST(Text1250, EveryByteHasItsOwnCodePointAndBack) {
  for (int byte = 0; byte < 256; ++byte) {
    const char32_t cp = Cp1250ToUnicode(static_cast<unsigned char>(byte));
    EXPECT_NE(cp, char32_t{0xFFFD}) << "byte " << byte;
    EXPECT_EQ(UnicodeToCp1250(cp), byte) << "byte " << byte;
  }
  // No byte for the replacement character, nor for the C1 controls of assigned bytes.
  for (const char32_t none : {char32_t{0xFFFD}, char32_t{0x80}, char32_t{0x9B}, char32_t{0x20AD}}) {
    EXPECT_EQ(UnicodeToCp1250(none), -1) << "U+" << std::hex << static_cast<unsigned>(none);
  }
}

}  // namespace
}  // namespace zv
