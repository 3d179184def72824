#include "chart/overview_axes.h"

#include <cstdio>
#include <cstring>
#include <iterator>

#include "samples/civil_time.h"

namespace zv {

namespace {

// Up to steps that put any two 16-bit values on three ticks.
constexpr int32_t kValueSteps[] = {1,   2,    5,    10,   20,    50,    100,  200,
                                   500, 1000, 2000, 5000, 10000, 20000, 50000};
constexpr int64_t kSlotSteps[] = {1,   2,    5,    10,   20,    50,    100,   200,
                                  500, 1000, 2000, 5000, 10000, 20000, 50000, 100000};
constexpr int64_t kDay = kSecondsPerDay;
constexpr int64_t kTimeSteps[] = {
    1,         2,          5,          10,         15,          30,         60,        120,
    300,       600,        900,        1800,       3600,        7200,       10800,     21600,
    43200,     kDay,       2 * kDay,   5 * kDay,   7 * kDay,    14 * kDay,  30 * kDay, 60 * kDay,
    90 * kDay, 180 * kDay, 365 * kDay, 730 * kDay, 1825 * kDay, 3650 * kDay};

// The clock axis shows four-digit years only: from 1900-01-01 to the end of 9999.
constexpr int64_t kFirstClockSecond = -2208988800;
constexpr int64_t kEndClockSecond = 253402300800;

// A label's width in ems, and the gap kept between two labels.
constexpr float kCharWidth = 0.62f;
constexpr float kLabelGap = 1.5f;

int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  if (a % b != 0 && (a < 0) != (b < 0)) --q;
  return q;
}

int64_t CeilDiv(int64_t a, int64_t b) {
  return -FloorDiv(-a, b);
}

int Digits(int64_t value) {
  int digits = 1;
  while (value >= 10) {
    value /= 10;
    ++digits;
  }
  return digits;
}

// The widest label of a step, in characters; a clock tick may carry a date below it.
int LabelChars(TimeAxisKind kind, int64_t step, uint32_t slots) {
  switch (kind) {
    case TimeAxisKind::SlotNumber:
      return Digits(slots);
    case TimeAxisKind::Elapsed:
      return step < 60 ? 9 : step < kDay ? 7 : 5;
    case TimeAxisKind::ClockTime:
      return 10;
  }
  return 10;
}

// The start's wall time at its own offset, read as UTC.
int64_t LocalStart(const TimeAxisInputs& in) {
  return in.start.utc + OffsetAt(in.start, in.start.utc);
}

TimeAxisKind KindFor(const TimeAxisInputs& in) {
  if (in.intervalSeconds == 0) return TimeAxisKind::SlotNumber;
  if (!in.hasStart || LocalStart(in) < kFirstClockSecond) return TimeAxisKind::Elapsed;
  const int64_t span = int64_t{in.slots - 1} * in.intervalSeconds;
  if (LocalStart(in) >= kEndClockSecond - span) return TimeAxisKind::Elapsed;
  return TimeAxisKind::ClockTime;
}

constexpr std::size_t kTickClockCapacity = 20;

// "YYYY-MM-DDTHH:MM:SS" of a clock tick, at the offset in force at that instant.
void TickClockText(const TimeAxis& axis, int64_t value, char (&out)[kTickClockCapacity]) {
  const int64_t utc = value - axis.startOffset;
  char text[kTimeTextCapacity];
  if (TimeText(utc, OffsetAt(axis.start, utc), text) < kTickClockCapacity - 1) {
    std::strcpy(out, "0000-00-00T00:00:00");
    return;
  }
  std::memcpy(out, text, kTickClockCapacity - 1);
  out[kTickClockCapacity - 1] = '\0';
}

void DateText(const char (&clock)[kTickClockCapacity], LabelLanguage language,
              char (&out)[kAxisLabelCapacity]) {
  if (TextsFor(language).dayFirstDates) {
    std::snprintf(out, sizeof out, "%.2s.%.2s.%.4s", clock + 8, clock + 5, clock);
  } else {
    std::snprintf(out, sizeof out, "%.10s", clock);
  }
}

}  // namespace

ValueAxis ChooseValueAxis(int32_t minSixteenths, int32_t maxSixteenths, int maxTicks) {
  if (minSixteenths > maxSixteenths) {
    const int32_t swap = minSixteenths;
    minSixteenths = maxSixteenths;
    maxSixteenths = swap;
  }
  // An axis around zero has a tick below, at and above it: three is the fewest.
  if (maxTicks < 3) maxTicks = 3;
  if (maxTicks > static_cast<int>(kMaxValueTicks)) maxTicks = kMaxValueTicks;
  const int64_t lowest = FloorDiv(int64_t{minSixteenths} * 10, 16);
  const int64_t highest = CeilDiv(int64_t{maxSixteenths} * 10, 16);
  ValueAxis axis;
  for (int32_t step : kValueSteps) {
    const int64_t low = FloorDiv(lowest, step) * step;
    int64_t high = CeilDiv(highest, step) * step;
    if (high == low) high += step;
    axis = {static_cast<int32_t>(low), static_cast<int32_t>(high), step};
    if ((high - low) / step + 1 <= maxTicks) break;
  }
  return axis;
}

TimeAxis ChooseTimeAxis(const TimeAxisInputs& in) {
  TimeAxis axis;
  if (in.slots == 0) return axis;
  axis.kind = KindFor(in);
  const bool slotsOnly = axis.kind == TimeAxisKind::SlotNumber;
  const int64_t unit = slotsOnly ? 1 : in.intervalSeconds;  // of a value, a slot
  if (axis.kind == TimeAxisKind::ClockTime) {
    axis.start = in.start;
    axis.startOffset = OffsetAt(in.start, in.start.utc);
  }
  const int64_t origin = axis.kind == TimeAxisKind::ClockTime ? LocalStart(in) : 0;
  const int64_t last = origin + int64_t{in.slots - 1} * unit;
  const double lengthPerValue = double{in.plotWidth} / in.slots / static_cast<double>(unit);

  const int64_t* steps = slotsOnly ? kSlotSteps : kTimeSteps;
  const std::size_t stepCount = slotsOnly ? std::size(kSlotSteps) : std::size(kTimeSteps);
  std::size_t chosen = 0;
  while (chosen + 1 < stepCount) {
    const int64_t step = steps[chosen];
    const float room =
        (LabelChars(axis.kind, step, in.slots) * kCharWidth + kLabelGap) * in.fontSize;
    const int64_t ticks = FloorDiv(last, step) - CeilDiv(origin, step) + 1;
    if (static_cast<double>(step) * lengthPerValue >= room &&
        ticks <= static_cast<int64_t>(kMaxTimeTicks)) {
      break;
    }
    ++chosen;
  }
  axis.step = steps[chosen];
  for (int64_t t = CeilDiv(origin, axis.step) * axis.step; t <= last && axis.count < kMaxTimeTicks;
       t += axis.step) {
    axis.values[axis.count] = t;
    axis.slots[axis.count] = static_cast<double>(t - origin) / static_cast<double>(unit);
    ++axis.count;
  }
  return axis;
}

std::size_t ValueLabel(int32_t tenths, int32_t step, LabelLanguage language,
                       char (&out)[kAxisLabelCapacity]) {
  const int64_t magnitude = tenths < 0 ? -int64_t{tenths} : tenths;
  const char* sign = tenths < 0 ? "-" : "";
  int n = 0;
  if (step % 10 == 0) {
    n = std::snprintf(out, sizeof out, "%s%lld", sign, static_cast<long long>(magnitude / 10));
  } else {
    n = std::snprintf(out, sizeof out, "%s%lld%c%d", sign, static_cast<long long>(magnitude / 10),
                      TextsFor(language).decimalSeparator, static_cast<int>(magnitude % 10));
  }
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

void TimeLabel(const TimeAxis& axis, std::size_t tick, LabelLanguage language,
               char (&line)[kAxisLabelCapacity], char (&date)[kAxisLabelCapacity]) {
  line[0] = date[0] = '\0';
  if (tick >= axis.count) return;
  const int64_t v = axis.values[tick];
  const auto ll = [](int64_t x) { return static_cast<long long>(x); };
  switch (axis.kind) {
    case TimeAxisKind::SlotNumber:
      std::snprintf(line, sizeof line, "%lld", ll(v));
      return;
    case TimeAxisKind::Elapsed:
      if (axis.step < 60) {
        std::snprintf(line, sizeof line, "%lld:%02lld:%02lld", ll(v / 3600), ll(v / 60 % 60),
                      ll(v % 60));
      } else if (axis.step < kDay) {
        std::snprintf(line, sizeof line, "%lld:%02lld", ll(v / 3600), ll(v / 60 % 60));
      } else {
        std::snprintf(line, sizeof line, "%lld", ll(v / kDay));
      }
      return;
    case TimeAxisKind::ClockTime:
      break;
  }
  char clock[kTickClockCapacity];
  TickClockText(axis, v, clock);
  if (axis.step >= kDay) {
    DateText(clock, language, line);
    return;
  }
  std::snprintf(line, sizeof line, "%.*s", axis.step < 60 ? 8 : 5, clock + 11);
  char previous[kTickClockCapacity] = {};
  if (tick > 0) TickClockText(axis, axis.values[tick - 1], previous);
  if (tick == 0 || std::strncmp(previous, clock, 10) != 0) DateText(clock, language, date);
}

const char* TimeCaption(const TimeAxis& axis, LabelLanguage language) {
  const OverviewTexts& texts = TextsFor(language);
  switch (axis.kind) {
    case TimeAxisKind::SlotNumber:
      return texts.slotCaption;
    case TimeAxisKind::Elapsed:
      return axis.step < 60     ? texts.elapsedSecondsCaption
             : axis.step < kDay ? texts.elapsedMinutesCaption
                                : texts.elapsedDaysCaption;
    case TimeAxisKind::ClockTime:
      return texts.clockCaption;
  }
  return texts.slotCaption;
}

}  // namespace zv
