#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "samples/recording_stats.h"

namespace zv {
namespace {

// Words in memory order (slot by slot, A before B), each a reading in sixteenths, then
// oddBytes more bytes that make no word.
std::unique_ptr<SampleBuffer> MemoryOf(const std::vector<int>& words, uint32_t oddBytes = 0) {
  auto samples = std::make_unique<SampleBuffer>();
  for (std::size_t i = 0; i < words.size(); ++i) {
    const auto word = static_cast<uint16_t>(words[i]);
    samples->bytes[2 * i] = static_cast<uint8_t>(word & 0xFF);
    samples->bytes[2 * i + 1] = static_cast<uint8_t>(word >> 8);
  }
  samples->n = static_cast<uint32_t>(2 * words.size() + oddBytes);
  return samples;
}

// The textbook formulas in degrees, with long doubles: a two-pass deviation and the mean
// kinetic temperature summed as written, with no shift.
struct Reference {
  long double mean = 0, deviation = 0, kinetic = 0;
};

Reference ReferenceOf(const std::vector<int>& readings) {
  Reference r;
  const long double n = readings.size();
  const long double ratio = 83144.0L / 8.314462618L;
  long double rates = 0;
  for (int s : readings) r.mean += s / 16.0L / n;
  for (int s : readings) {
    r.deviation += (s / 16.0L - r.mean) * (s / 16.0L - r.mean) / n;
    rates += std::exp(-ratio / (s / 16.0L + 273.15L));
  }
  r.deviation = std::sqrt(r.deviation);
  r.kinetic = ratio / -std::log(rates / n) - 273.15L;
  return r;
}

std::vector<int> FullMemoryWords() {
  std::vector<int> words;
  for (int i = 0; i < 16384; ++i) {
    // A cold store with a defrost spike now and then, across the sensor's whole range.
    words.push_back(i % 997 == 0 ? 2047 : i % 1999 == 0 ? -2048 : -300 + (i * 37) % 160);
  }
  return words;
}

TEST(SamplesRecordingStats, AgainstTheTextbookFormulas) {
  struct Case {
    const char* name;
    uint8_t mode;
    Channel channel;
    std::vector<int> words;
    uint32_t oddBytes;
    std::vector<int> readings;  // what the channel holds, worked out by hand
  };
  const std::vector<int> full = FullMemoryWords();
  std::vector<int> fullB;
  for (std::size_t i = 1; i < full.size(); i += 2) fullB.push_back(full[i]);
  // clang-format off
  const Case cases[] = {
      {"no readings",              1, Channel::A, {},                            1, {}},
      {"one reading",              1, Channel::A, {-328},                        0, {-328}},
      // A published worked example: the two averages 23 °C and 25 °C with ΔH/R of about
      // 10000 K, from the blog post "Java MKT(平均动力学温度)值计算" on e-com-net.com.
      {"published pair",           1, Channel::A, {368, 400},                    0, {368, 400}},
      {"extremes repeat",          1, Channel::A, {5, -2048, 2047, -2048, 2047}, 0,
       {5, -2048, 2047, -2048, 2047}},
      {"B without the half slot",  2, Channel::B, {10, 20, 30, 40, 50},          1, {20, 40}},
      {"A without the half slot",  2, Channel::A, {10, 20, 30, 40, 50},          0, {10, 30}},
      {"B of one channel",         1, Channel::B, {10, 20},                      0, {}},
      {"full memory, one channel", 1, Channel::A, full,                          0, full},
      {"full memory, B of two",    2, Channel::B, full,                          0, fullB},
  };
  // clang-format on

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto samples = MemoryOf(c.words, c.oddBytes);
    const ChannelStats stats = ComputeChannelStats(*samples, c.mode, c.channel, {});
    ASSERT_EQ(stats.count, c.readings.size());
    if (c.readings.empty()) {
      EXPECT_FALSE(MeanCelsius(stats) || stats.populationStdDev || stats.meanKinetic);
      continue;
    }
    const auto low = std::min_element(c.readings.begin(), c.readings.end());
    const auto high = std::max_element(c.readings.begin(), c.readings.end());
    EXPECT_EQ(stats.min, *low);
    EXPECT_EQ(stats.minSlot, static_cast<uint32_t>(low - c.readings.begin()));
    EXPECT_EQ(stats.max, *high);
    EXPECT_EQ(stats.maxSlot, static_cast<uint32_t>(high - c.readings.begin()));
    const Reference want = ReferenceOf(c.readings);
    EXPECT_NEAR(*MeanCelsius(stats), want.mean, 1e-9);
    EXPECT_NEAR(*stats.populationStdDev, want.deviation, 1e-9);
    EXPECT_NEAR(*stats.meanKinetic, want.kinetic, 1e-6);
  }
}

// The summary's mean, exact to a ten-thousandth: a half rounds away from zero.
TEST(SamplesRecordingStats, MeanInTenThousandths) {
  const struct {
    std::vector<int> readings;  // sixteenths
    std::optional<int64_t> mean;
  } cases[] = {
      {{369, 2000}, 740313},    // 74.03125
      {{-16, -2048}, -645000},  // -64.5
      {{-1, -2}, -938},         // -0.09375
      {{1, 0, 0, 0}, 156},      // 0.015625
      {{}, std::nullopt},
  };
  for (const auto& c : cases) {
    const auto samples = MemoryOf(c.readings);
    EXPECT_EQ(MeanTenThousandths(ComputeChannelStats(*samples, 1, Channel::A, {})), c.mean)
        << c.readings.size();
  }
}

TEST(SamplesRecordingStats, MeanKineticEdges) {
  const auto constant = MemoryOf(std::vector<int>(16384, -2048));
  EXPECT_NEAR(*ComputeChannelStats(*constant, 1, Channel::A, {}).meanKinetic, -128.0, 1e-9);
  // The published pair: 24.05 °C, worked out by hand, above the arithmetic mean of 24.
  const auto pair = MemoryOf({368, 400});
  EXPECT_NEAR(*ComputeChannelStats(*pair, 1, Channel::A, {}).meanKinetic, 24.05, 0.01);
  for (const double energy : {0.0, -1.0, std::nan(""), HUGE_VAL}) {
    StatsSettings settings;
    settings.activationEnergy = energy;
    EXPECT_FALSE(ComputeChannelStats(*pair, 1, Channel::A, settings).meanKinetic) << energy;
  }
  StatsSettings steep;  // no overflow however steep: the hottest reading dominates
  steep.activationEnergy = 1e9;
  EXPECT_NEAR(*ComputeChannelStats(*pair, 1, Channel::A, steep).meanKinetic, 25.0, 0.01);
}

TEST(SamplesRecordingStats, LimitsAndExcursions) {
  struct Case {
    const char* name;
    std::vector<int> readings;
    std::optional<int32_t> low, high;
    std::optional<uint32_t> interval;
    uint32_t below, above, excursions;
    uint64_t total, longest;
    uint32_t firstSlot;
    LimitSide firstSide;
    Verdict verdict;
  };
  constexpr auto kBelow = LimitSide::Below;
  constexpr auto kAbove = LimitSide::Above;
  constexpr auto kWithin = Verdict::Within;
  constexpr auto kExceeded = Verdict::Exceeded;
  // clang-format off
  const Case cases[] = {
      // name; readings; low, high, interval; below, above, excursions, total, longest, first
      {"no limits", {-900, 900}, {}, {}, 60,           0, 0, 0, 0, 0, 0, kBelow, Verdict::NoLimits},
      {"runs on both sides", {50, -5, -6, 50, 150, 160, 170, 50}, 0, 100, 60,
                                                       2, 3, 2, 300, 180, 1, kBelow, kExceeded},
      {"side change counts two", {50, -5, 150, 150, 50}, 0, 100, 10,
                                                       1, 2, 2, 30, 20, 1, kBelow, kExceeded},
      {"run at the end, no interval", {50, 101, 50, 150, 150, 150}, 0, 100, {},
                                                       0, 4, 2, 4, 3, 1, kAbove, kExceeded},
      {"a limit itself is within", {0, 100, 0}, 0, 100, 5,
                                                       0, 0, 0, 0, 0, 0, kBelow, kWithin},
      {"low limit only", {-1, 904, -1}, 0, {}, 2,      2, 0, 2, 4, 2, 0, kBelow, kExceeded},
      {"one reading, beyond", {-2048}, {}, -2049, 1,   0, 1, 1, 1, 1, 0, kAbove, kExceeded},
      {"zero readings", {}, 0, 100, 1,                 0, 0, 0, 0, 0, 0, kBelow, Verdict::NoReadings},
  };
  // clang-format on

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto samples = MemoryOf(c.readings);
    StatsSettings settings;
    // The cases state limits in sixteenths, as the readings; the statistics take them exactly.
    const auto exact = [](std::optional<int32_t> v) {
      return v ? std::optional<int32_t>(*v * kTenThousandthsPerSixteenth) : std::nullopt;
    };
    settings.limits = {exact(c.low), exact(c.high)};
    settings.intervalSeconds = c.interval;
    const ChannelStats stats = ComputeChannelStats(*samples, 1, Channel::A, settings);
    const ExcursionStats& e = stats.limits;
    EXPECT_EQ(e.below.readings, c.below);
    EXPECT_EQ(e.above.readings, c.above);
    EXPECT_EQ(e.excursions, c.excursions);
    EXPECT_EQ(e.totalDuration, c.total);
    EXPECT_EQ(e.longestDuration, c.longest);
    EXPECT_EQ(e.unit, c.interval ? DurationUnit::Seconds : DurationUnit::Slots);
    if (c.excursions != 0) {
      EXPECT_EQ(e.firstStartSlot, c.firstSlot);
      EXPECT_EQ(e.firstSide, c.firstSide);
    }
    EXPECT_EQ(VerdictOf(stats), c.verdict);
    const std::optional<double> share = TimeInRange(stats);
    if (c.verdict == Verdict::NoLimits || c.verdict == Verdict::NoReadings) {
      EXPECT_FALSE(share);
    } else {
      const double within = static_cast<double>(c.readings.size() - c.below - c.above);
      EXPECT_DOUBLE_EQ(*share, within / c.readings.size());
    }
  }
}

// Limits as typed, between sixteenths or on one, and each side's own runs and durations.
TEST(SamplesRecordingStats, ExactLimitsAndEachSidesExcursions) {
  struct Case {
    const char* name;
    std::vector<int> readings;         // sixteenths
    std::optional<int32_t> low, high;  // ten-thousandths, as typed
    SideExcursions below, above;       // with a 60 s interval
  };
  // clang-format off
  const Case cases[] = {
      // 8.125 lies above a typed 8.1, though 8.1 is nearest the sixteenth 8.125
      {"high between sixteenths", {128, 130, 129}, {}, 81000, {}, {1, 1, 60, 60}},
      // 2.0 lies below a typed 2.03; 2.0625 does not
      {"low between sixteenths", {32, 33, 32, 32}, 20300, {}, {3, 2, 180, 120}, {}},
      // -10.125 lies below -10.1
      {"negative low", {-162, -161, -160}, -101000, {}, {1, 1, 60, 60}, {}},
      {"exactly on a reading", {128, 32}, 20000, 80000, {}, {}},
      {"both sides, longest apart", {10, 10, 200, 200, 200, 10, 50}, 20000, 80000,
                                    {3, 2, 180, 120}, {3, 1, 180, 180}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto samples = MemoryOf(c.readings);
    StatsSettings settings;
    settings.limits = {c.low, c.high};
    settings.intervalSeconds = 60;
    const ExcursionStats e = ComputeChannelStats(*samples, 1, Channel::A, settings).limits;
    for (const auto& [got, want] : {std::pair{e.below, c.below}, std::pair{e.above, c.above}}) {
      EXPECT_EQ(got.readings, want.readings);
      EXPECT_EQ(got.excursions, want.excursions);
      EXPECT_EQ(got.totalDuration, want.totalDuration);
      EXPECT_EQ(got.longestDuration, want.longestDuration);
    }
    EXPECT_EQ(e.excursions, c.below.excursions + c.above.excursions);
    EXPECT_EQ(e.totalDuration, c.below.totalDuration + c.above.totalDuration);
  }
}

}  // namespace
}  // namespace zv
