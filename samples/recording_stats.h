// The statistics of a whole recording, one channel at a time, for the record a technician
// files: lowest and highest reading with their slots, mean, standard deviation, mean kinetic
// temperature, and with alarm limits the readings and excursions beyond them.
//
// Values are a reading's sixteenths of a degree (ReadingSixteenths), summed as integers; only
// the derived figures (standard deviation, mean kinetic temperature) are doubles in degrees.
// Limits are exact decimals, in ten-thousandths of a degree, as the user typed them.
// Only complete slots count, for both channels: with two channels and an odd number of words
// the trailing half slot holds an A reading without its B reading, and the statistics leave
// it out, so that every channel covers the "Pobrano: N próbek" count and the same time span.
// An odd last byte belongs to no reading. Nothing is allocated; one pass over the readings.
#pragma once

#include <cstdint>
#include <optional>

#include "base/sample_memory.h"
#include "samples/reading.h"

namespace zv {

// The activation energy ΔH commonly used for mean kinetic temperature, in J/mol.
inline constexpr double kDefaultActivationEnergy = 83144.0;
// The molar gas constant R, in J/(mol·K).
inline constexpr double kGasConstant = 8.314462618;

// Alarm limits in ten-thousandths of a degree, each optional, exactly as typed: a limit of 8.1
// is not rounded to the sixteenth 8.125, so a reading of 8.125 lies above it. A reading below
// low or above high lies beyond them; one equal to a limit is within. When low exceeds high a
// reading that is both below low and above high counts as below.
struct AlarmLimits {
  std::optional<int32_t> low;
  std::optional<int32_t> high;

  bool Any() const { return low.has_value() || high.has_value(); }
  bool operator==(const AlarmLimits&) const = default;
};

// A logger with two compartments (a fridge on A, a freezer on B) has a pair of limits for each.
struct ChannelLimits {
  AlarmLimits a;
  AlarmLimits b;

  const AlarmLimits& For(Channel channel) const { return channel == Channel::B ? b : a; }
};

struct StatsSettings {
  AlarmLimits limits;
  // Seconds between samples; none when the logger's interval index has no table entry, and
  // the excursion durations are then counted in slots.
  std::optional<uint32_t> intervalSeconds;
  // ΔH in J/mol; a value that is not finite and positive gives no mean kinetic temperature.
  double activationEnergy = kDefaultActivationEnergy;
};

enum class LimitSide : uint8_t { Below, Above };
enum class DurationUnit : uint8_t { Seconds, Slots };

// The readings beyond one limit: how many, in how many runs, and how long in all and at most.
struct SideExcursions {
  uint32_t readings = 0;
  uint32_t excursions = 0;
  uint64_t totalDuration = 0;
  uint64_t longestDuration = 0;
};

// A run of consecutive readings beyond one limit is one excursion; a run that passes from
// below low straight to above high is two, one on each side. A duration is the readings in
// the run times the interval (or the readings themselves, in slots, without an interval).
// "How long was it too warm" and "how long too cold" are answered by each side apart.
struct ExcursionStats {
  SideExcursions below;  // below low
  SideExcursions above;  // above high
  uint32_t excursions = 0;
  uint64_t totalDuration = 0;
  uint64_t longestDuration = 0;
  DurationUnit unit = DurationUnit::Slots;
  uint32_t firstStartSlot = 0;  // both meaningful only with excursions
  LimitSide firstSide = LimitSide::Below;
};

struct ChannelStats {
  uint32_t count = 0;  // readings: the complete slots, or 0 for channel B of one channel
  int16_t min = 0;     // sixteenths; min and max are meaningful only with readings
  int16_t max = 0;
  uint32_t minSlot = 0;  // the first slot holding the lowest reading
  uint32_t maxSlot = 0;  // the first slot holding the highest reading
  int64_t sum = 0;       // sixteenths
  // The population standard deviation (over all readings, divided by their count) in degrees;
  // none without readings.
  std::optional<double> populationStdDev;
  // Mean kinetic temperature in °C; none without readings or without a sound ΔH.
  std::optional<double> meanKinetic;
  bool hasLimits = false;  // at least one limit was given
  ExcursionStats limits;
};

// The statistics of one channel of the memory; channelMode 2 means two channels, any other
// value one, as the exports read it.
ChannelStats ComputeChannelStats(const SampleBuffer& samples, uint8_t channelMode, Channel channel,
                                 const StatsSettings& settings);

// The exact mean, sum / count, in degrees; none without readings.
std::optional<double> MeanCelsius(const ChannelStats& stats);

// The mean in ten-thousandths of a degree, rounded half away from zero; none without readings.
std::optional<int64_t> MeanTenThousandths(const ChannelStats& stats);

// Readings within the limits as a share of all readings (0..1); none without limits or
// without readings.
std::optional<double> TimeInRange(const ChannelStats& stats);

// No readings is a verdict of its own: a recording that holds none was never within its limits.
enum class Verdict : uint8_t { NoLimits, NoReadings, Within, Exceeded };

// Exceeded when any reading lies beyond the limits; within when readings lie all within them.
Verdict VerdictOf(const ChannelStats& stats);

}  // namespace zv
