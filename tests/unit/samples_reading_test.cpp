#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "samples/sample_buffer.h"

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

TEST(SamplesReading, PointCount) {
  struct Case {
    uint32_t samples, scroll;
    uint8_t points;
  };
  const Case cases[] = {{0, 0, 0},
                        {1, 0, 1},
                        {100, 0, 100},
                        {250, 150, 100},
                        {250, 151, 99},
                        {250, 249, 1},
                        {250, 250, 0},
                        {10, 20, 0},
                        {0xFFFFFFFF, 0xFFFFFFFF - 50, 50},
                        {0xFFFFFFFF, 0xFFFFFFFF - 100, 100}};
  for (const Case& c : cases) EXPECT_EQ(PointCount(c.samples, c.scroll), c.points) << c.scroll;
}

TEST(SamplesReading, FillPlotBufferReadsWholeSlotsOnly) {
  // The word at every even byte k reads as k/2 whole degrees (mod 128), so entries name offsets.
  auto buffer = std::make_unique<SampleBuffer>();
  for (std::size_t k = 0; k < kSampleBufferSize; k += 2) {
    const uint16_t word = static_cast<uint16_t>(((k / 2) % 128) << 4);
    buffer->bytes[k] = static_cast<uint8_t>(word);
    buffer->bytes[k + 1] = static_cast<uint8_t>(word >> 8);
  }
  struct Case {
    uint32_t n;
    uint8_t mode;
    Channel channel;
    uint32_t scroll;
    uint8_t points;
    std::vector<std::size_t> offsets;
  };
  const Case cases[] = {
      {64, 2, Channel::A, 10, 3, {40, 44, 48}},
      {64, 2, Channel::B, 10, 3, {42, 46, 50}},
      {6, 2, Channel::B, 0, 5, {2}},  // the word at bytes 4-5 is no sample
      {1, 1, Channel::A, 0, 3, {}},   // no complete slot
      {4, 1, Channel::B, 1, 1, {}},   // channel B past the end of mode 1 data
      {8, 1, Channel::A, 9, 1, {}},   // scroll beyond the samples
      {40000, 1, Channel::A, 16380, 100, {32760, 32762, 32764, 32766}},
      {kSampleBufferSize, 2, Channel::A, 0, 200, {}},  // capped at 100 entries, checked below
  };
  for (const Case& c : cases) {
    buffer->n = c.n;
    PlotBuffer plot{};
    FillPlotBuffer(plot, *buffer, c.mode, c.channel, c.scroll, c.points);
    if (c.points > kPlotPoints) {
      EXPECT_EQ(plot.count, kPlotPoints);
      continue;
    }
    ASSERT_EQ(plot.count, c.offsets.size()) << c.n << " " << c.scroll;
    for (std::size_t i = 0; i < c.offsets.size(); ++i)
      EXPECT_EQ(plot.values[i], static_cast<int16_t>((c.offsets[i] / 2) % 128)) << i;
  }

  PlotBuffer kept{};
  kept.values[0] = 42;
  kept.count = 7;
  FillPlotBuffer(kept, *buffer, 1, Channel::A, 0, 0);
  EXPECT_EQ(kept.values[0], 42);
  EXPECT_EQ(kept.count, 7);
}

}  // namespace
}  // namespace zv
