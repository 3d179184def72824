// The overview's two axes: round ticks and their labels. Values go in tenths of a degree on
// steps of 1, 2 or 5 times a power of ten; time in slot numbers (1-2-5 steps) or in seconds on
// steps a clock reader expects (seconds, minutes, hours, days).
#pragma once

#include <cstddef>
#include <cstdint>

#include "chart/overview_texts.h"
#include "samples/civil_time.h"

namespace zv {

inline constexpr std::size_t kMaxValueTicks = 12;
inline constexpr std::size_t kMaxTimeTicks = 24;

// Ticks at low, low + step, ... high, all in tenths of a degree.
struct ValueAxis {
  int32_t low = 0;
  int32_t high = 10;
  int32_t step = 10;
};

// The roundest axis holding [min, max] (sixteenths) with at most `maxTicks` ticks (3..12).
ValueAxis ChooseValueAxis(int32_t minSixteenths, int32_t maxSixteenths, int maxTicks);

enum class TimeAxisKind : uint8_t { SlotNumber, Elapsed, ClockTime };

struct TimeAxisInputs {
  uint32_t slots = 0;
  uint32_t intervalSeconds = 0;  // 0: not known
  bool hasStart = false;
  StartTime start;      // slot 0
  float plotWidth = 0;  // in the units of fontSize
  float fontSize = 12;
};

struct TimeAxis {
  TimeAxisKind kind = TimeAxisKind::SlotNumber;
  int64_t step = 1;  // slots, or seconds
  std::size_t count = 0;
  // Slot number, seconds since the start, or clock seconds: the wall time at the start's own
  // offset, read as UTC, so that round values fall on round local times. Each clock tick's
  // label shows the wall time at the offset in force at that tick (a daylight-saving change
  // within the recording moves the labels by its hour).
  int64_t values[kMaxTimeTicks] = {};
  StartTime start;
  int32_t startOffset = 0;
  double slots[kMaxTimeTicks] = {};  // where each tick lies, in slots from slot 0
};

// The finest round step whose labels do not collide, and its ticks within the readings.
TimeAxis ChooseTimeAxis(const TimeAxisInputs& inputs);

inline constexpr std::size_t kAxisLabelCapacity = 32;

// "12,5" or "12.5" when the step is under a degree, "12" otherwise; NUL-terminated.
std::size_t ValueLabel(int32_t tenths, int32_t step, LabelLanguage language,
                       char (&out)[kAxisLabelCapacity]);

// A tick's label, and under it the date of a clock tick that starts a day (or the first
// tick), else an empty second line.
void TimeLabel(const TimeAxis& axis, std::size_t tick, LabelLanguage language,
               char (&line)[kAxisLabelCapacity], char (&date)[kAxisLabelCapacity]);

// What the time axis shows, as its caption says it.
const char* TimeCaption(const TimeAxis& axis, LabelLanguage language);

}  // namespace zv
