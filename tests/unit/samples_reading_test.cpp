#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/sample_memory.h"
#include "samples/reading.h"

namespace zv {
namespace {

TEST(SamplesReading, KnownWords) {
  struct Case {
    uint16_t word;
    const char* text;
    int degrees;
  };
  const Case cases[] = {
      {0x0171, "23,0625", 23},   {0xFF5E, "-11,1250", -11},   {0x0177, "23,4375", 23},
      {0x0178, "23,5000", 24},   {0xFF59, "-11,4375", -11},   {0xFF58, "-11,5000", -12},
      {0x07F8, "127,5000", 127}, {0x0000, "0,0000", 0},       {0xFFFF, "-1,0625", -1},
      {0xFFF0, "-1,0000", -1},   {0xFFF8, "-1,5000", -2},     {0x07D0, "125,0000", 125},
      {0x07FF, "127,9375", 127}, {0x0800, "-128,0000", -128}, {0x7FF8, "-1,5000", 0},
      {0xF00F, "0,0625", 0},     {0x8808, "-128,5000", -129}, {0x8801, "-128,9375", -129},
  };
  for (const Case& c : cases) {
    char text[kReadingTextCapacity];
    EXPECT_EQ(ReadingText(c.word, text), std::strlen(c.text)) << std::hex << c.word;
    EXPECT_STREQ(text, c.text) << std::hex << c.word;
    EXPECT_EQ(WholeDegrees(c.word), c.degrees) << std::hex << c.word;
  }
}

// The same rules put another way: the integer part and fraction as plain arithmetic, and whole
// degrees as rounding in sixteenths, half away from zero in the direction bit 15 names.
std::string ReferenceText(unsigned word) {
  const int integer = static_cast<int>((word >> 4) & 0xFF) - ((word & 0x800) ? 256 : 0);
  const unsigned nibble = word % 16;
  const unsigned sixteenths = word >= 0x1000 ? (16 - nibble) % 16 : nibble;
  char text[32];
  std::snprintf(text, sizeof text, "%d,%04u", integer, sixteenths * 625);
  return text;
}

int ReferenceDegrees(unsigned word) {
  const int integer = static_cast<int>((word >> 4) & 0xFF) - ((word & 0x800) ? 256 : 0);
  if (integer == 127) return 127;
  const unsigned nibble = word % 16;
  if (word < 0x8000) return static_cast<int>(std::floor((integer * 16.0 + nibble) / 16 + 0.5));
  return static_cast<int>(std::ceil((integer * 16.0 - (16 - nibble) % 16) / 16 - 0.5));
}

TEST(SamplesReading, EveryWordMatchesTheReference) {
  for (unsigned word = 0; word <= 0xFFFF; ++word) {
    char text[kReadingTextCapacity];
    const std::size_t length = ReadingText(static_cast<uint16_t>(word), text);
    ASSERT_EQ(std::string(text, length), ReferenceText(word)) << std::hex << word;
    ASSERT_EQ(std::strlen(text), length);
    ASSERT_EQ(WholeDegrees(static_cast<uint16_t>(word)), ReferenceDegrees(word))
        << std::hex << word;
  }
}

}  // namespace
}  // namespace zv
