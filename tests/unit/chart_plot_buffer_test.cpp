#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "base/sample_memory.h"
#include "chart/plot_buffer.h"
#include "samples/reading.h"

namespace zv {
namespace {

TEST(ChartPlotBuffer, PointCount) {
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

TEST(ChartPlotBuffer, FillReadsWholeSlotsOnly) {
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
