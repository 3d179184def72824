#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "samples/reading.h"

namespace zv {
namespace {

// The sensor's own reference words (its data sheet's table), then the ends of the range and
// the words whose negative fraction the old rule wrote one degree too cold.
TEST(SamplesReading, ReferenceWords) {
  struct Case {
    uint16_t word;
    const char* text;
    int degrees;
  };
  const Case cases[] = {
      {0x07D0, "125,0000", 125},   {0x0550, "85,0000", 85},   {0x0191, "25,0625", 25},
      {0x00A2, "10,1250", 10},     {0x0008, "0,5000", 1},     {0x0000, "0,0000", 0},
      {0xFFF8, "-0,5000", -1},     {0xFF5E, "-10,1250", -10}, {0xFE6F, "-25,0625", -25},
      {0xFC90, "-55,0000", -55},   {0xFFFF, "-0,0625", 0},    {0xFFF0, "-1,0000", -1},
      {0x0800, "-128,0000", -128}, {0x07FF, "127,9375", 127}, {0x0171, "23,0625", 23},
      {0x0177, "23,4375", 23},     {0x0178, "23,5000", 24},   {0xFF59, "-10,4375", -10},
      {0xFF58, "-10,5000", -11},   {0x07F8, "127,5000", 127}, {0x0808, "-127,5000", -128},
      {0xFEE8, "-17,5000", -18},  // a freezer at -17.5, not -18.5
  };
  for (const Case& c : cases) {
    char text[kReadingTextCapacity];
    EXPECT_EQ(ReadingText(c.word, text), std::strlen(c.text)) << std::hex << c.word;
    EXPECT_STREQ(text, c.text) << std::hex << c.word;
    EXPECT_EQ(WholeDegrees(c.word), c.degrees) << std::hex << c.word;
  }
}

// An independent decoder: shifting the word 4 bits up drops the sign's copies and leaves the
// value in 256ths as a 16-bit signed number; the text is printf's, the degrees std::round's.
double ReferenceValue(unsigned word) {
  return static_cast<int16_t>(static_cast<uint16_t>(word << 4)) / 256.0;
}

std::string ReferenceText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", value);
  std::string s = text;
  s[s.find('.')] = ',';
  return s;
}

TEST(SamplesReading, EveryWordMatchesAnIndependentDecoder) {
  for (unsigned word = 0; word <= 0xFFFF; ++word) {
    const double value = ReferenceValue(word);
    char text[kReadingTextCapacity];
    const std::size_t length = ReadingText(static_cast<uint16_t>(word), text);
    ASSERT_EQ(std::string(text, length), ReferenceText(value)) << std::hex << word;
    ASSERT_EQ(std::strlen(text), length);
    ASSERT_EQ(ReadingSixteenths(static_cast<uint16_t>(word)), value * 16) << std::hex << word;
    ASSERT_EQ(WholeDegrees(static_cast<uint16_t>(word)), std::min(std::round(value), 127.0))
        << std::hex << word;
  }
}

}  // namespace
}  // namespace zv
