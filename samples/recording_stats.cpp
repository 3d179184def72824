#include "samples/recording_stats.h"

#include <cmath>

#include "samples/reading.h"
#include "samples/sample_slots.h"

namespace zv {

namespace {

// Every value a 12-bit reading can take, -2048..2047 sixteenths.
constexpr int kLowestSixteenths = -2048;
constexpr uint32_t kReadingValues = 4096;
constexpr double kZeroCelsiusKelvin = 273.15;

// How many readings hold each value; 16384 readings at most, so 16 bits a value suffice.
using ValueCounts = uint16_t[kReadingValues];

uint32_t ValueIndex(int value) {
  return static_cast<uint32_t>(value - kLowestSixteenths) % kReadingValues;
}

double Kelvin(int sixteenths) {
  return sixteenths / 16.0 + kZeroCelsiusKelvin;
}

// Counts readings beyond the limits and gathers them into runs on one side.
class ExcursionTracker {
 public:
  explicit ExcursionTracker(const AlarmLimits& limits) : limits_(limits) {}

  void Add(int value, uint32_t slot) {
    LimitSide side = LimitSide::Below;
    const bool beyond = SideOf(value, side);
    if (inRun_ && (!beyond || side != runSide_)) CloseRun();
    if (!beyond) return;
    ++Side(side).readings;
    if (!inRun_) OpenRun(side, slot);
    ++runLength_;
  }

  ExcursionStats Finish(const std::optional<uint32_t>& intervalSeconds) {
    if (inRun_) CloseRun();
    const uint64_t scale = intervalSeconds ? *intervalSeconds : 1;
    stats_.unit = intervalSeconds ? DurationUnit::Seconds : DurationUnit::Slots;
    for (const LimitSide side : {LimitSide::Below, LimitSide::Above}) {
      SideExcursions& s = Side(side);
      s.totalDuration = uint64_t{s.readings} * scale;
      s.longestDuration = uint64_t{longestRun_[Index(side)]} * scale;
    }
    stats_.totalDuration = stats_.below.totalDuration + stats_.above.totalDuration;
    stats_.longestDuration = stats_.below.longestDuration > stats_.above.longestDuration
                                 ? stats_.below.longestDuration
                                 : stats_.above.longestDuration;
    return stats_;
  }

 private:
  static int Index(LimitSide side) { return side == LimitSide::Below ? 0 : 1; }
  SideExcursions& Side(LimitSide side) {
    return side == LimitSide::Below ? stats_.below : stats_.above;
  }

  // Compared in ten-thousandths, where both the reading and the typed limit are exact.
  bool SideOf(int sixteenths, LimitSide& side) const {
    const int64_t value = int64_t{sixteenths} * kTenThousandthsPerSixteenth;
    if (limits_.low && value < *limits_.low) {
      side = LimitSide::Below;
      return true;
    }
    if (limits_.high && value > *limits_.high) {
      side = LimitSide::Above;
      return true;
    }
    return false;
  }

  void OpenRun(LimitSide side, uint32_t slot) {
    if (stats_.excursions == 0) {
      stats_.firstStartSlot = slot;
      stats_.firstSide = side;
    }
    ++stats_.excursions;
    ++Side(side).excursions;
    inRun_ = true;
    runSide_ = side;
    runLength_ = 0;
  }

  void CloseRun() {
    uint32_t& longest = longestRun_[Index(runSide_)];
    if (runLength_ > longest) longest = runLength_;
    inRun_ = false;
  }

  AlarmLimits limits_;
  ExcursionStats stats_;
  bool inRun_ = false;
  LimitSide runSide_ = LimitSide::Below;
  uint32_t runLength_ = 0;
  uint32_t longestRun_[2] = {0, 0};  // below, above
};

// Tk = (ΔH/R) / -ln(Σ e^(-ΔH/(R·Ti)) / n), one exponential per distinct value. Each term is
// taken relative to the hottest reading's, the largest, so every term lies in (0, 1] and the
// sum in [1, n]: nothing overflows or vanishes whatever ΔH, and constant readings give
// exactly their own temperature.
std::optional<double> MeanKineticCelsius(const ValueCounts& counts, const ChannelStats& stats,
                                         double activationEnergy) {
  if (stats.count == 0 || !std::isfinite(activationEnergy) || activationEnergy <= 0) {
    return std::nullopt;
  }
  const double ratio = activationEnergy / kGasConstant;
  const double hottest = ratio / Kelvin(stats.max);
  double sum = 0;
  for (int value = stats.min; value <= stats.max; ++value) {
    const uint16_t count = counts[ValueIndex(value)];
    if (count != 0) sum += count * std::exp(hottest - ratio / Kelvin(value));
  }
  const double kelvin = ratio / (hottest - std::log(sum / stats.count));
  if (!std::isfinite(kelvin)) return std::nullopt;
  return kelvin - kZeroCelsiusKelvin;
}

// n·Σx² − (Σx)² is exact in 64 bits (n <= 16384, |x| <= 2048), so only the root rounds.
double PopulationStdDevCelsius(int64_t sum, int64_t squares, uint32_t count) {
  const int64_t n = count;
  const int64_t spread = n * squares - sum * sum;
  return std::sqrt(static_cast<double>(spread)) / static_cast<double>(n) / 16.0;
}

void TakeExtremes(ChannelStats& stats, int16_t value, uint32_t slot) {
  if (slot == 0 || value < stats.min) {
    stats.min = value;
    stats.minSlot = slot;
  }
  if (slot == 0 || value > stats.max) {
    stats.max = value;
    stats.maxSlot = slot;
  }
}

}  // namespace

ChannelStats ComputeChannelStats(const SampleBuffer& samples, uint8_t channelMode, Channel channel,
                                 const StatsSettings& settings) {
  ChannelStats stats;
  stats.hasLimits = settings.limits.Any();
  ExcursionTracker tracker(settings.limits);
  const SlotLayout layout = LayoutOf(samples, channelMode);
  const uint32_t offset = channel == Channel::B ? 1 : 0;
  // Complete slots only; channel B of a one-channel memory has none.
  const uint32_t slots = offset < layout.wordsPerSlot ? layout.words / layout.wordsPerSlot : 0;

  ValueCounts counts{};
  int64_t squares = 0;
  for (uint32_t slot = 0; slot < slots; ++slot) {
    const std::size_t word = std::size_t{slot} * layout.wordsPerSlot + offset;
    const int16_t value = ReadingSixteenths(SampleWord(samples, 2 * word));
    TakeExtremes(stats, value, slot);
    stats.sum += value;
    squares += int64_t{value} * value;
    ++counts[ValueIndex(value)];
    tracker.Add(value, slot);
  }
  stats.count = slots;
  stats.limits = tracker.Finish(settings.intervalSeconds);
  if (slots != 0) stats.populationStdDev = PopulationStdDevCelsius(stats.sum, squares, slots);
  stats.meanKinetic = MeanKineticCelsius(counts, stats, settings.activationEnergy);
  return stats;
}

std::optional<double> MeanCelsius(const ChannelStats& stats) {
  if (stats.count == 0) return std::nullopt;
  return static_cast<double>(stats.sum) / stats.count / 16.0;
}

std::optional<int64_t> MeanTenThousandths(const ChannelStats& stats) {
  if (stats.count == 0) return std::nullopt;
  const int64_t sum = stats.sum * kTenThousandthsPerSixteenth;
  const int64_t count = stats.count;
  const int64_t half = count / 2;
  return sum >= 0 ? (sum + half) / count : -((-sum + half) / count);
}

std::optional<double> TimeInRange(const ChannelStats& stats) {
  if (!stats.hasLimits || stats.count == 0) return std::nullopt;
  const uint32_t beyond = stats.limits.below.readings + stats.limits.above.readings;
  return static_cast<double>(stats.count - beyond) / stats.count;
}

Verdict VerdictOf(const ChannelStats& stats) {
  if (!stats.hasLimits) return Verdict::NoLimits;
  if (stats.count == 0) return Verdict::NoReadings;
  return stats.limits.excursions == 0 ? Verdict::Within : Verdict::Exceeded;
}

}  // namespace zv
