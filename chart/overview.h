// The overview: every reading of a recording on one chart, as a picture. Time runs along x
// (the time of day and date when the start is known, the time since the start when only the
// interval is, slot numbers otherwise), the temperature up y, scaled to the readings and the
// limits, both on round ticks. With more readings than pixel columns each column draws the
// lowest and highest reading it holds, so no spike disappears; with fewer, a polyline joins
// the readings. Limits are dashed lines, and where readings go beyond one, a light band
// fills the plot from the limit outwards over those columns.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/sample_memory.h"
#include "chart/overview_axes.h"
#include "picture/picture.h"
#include "samples/civil_time.h"
#include "samples/recording_stats.h"

namespace zv {

struct OverviewInputs {
  const SampleBuffer* samples = nullptr;
  uint8_t channelMode = 1;
  bool showA = true;
  bool showB = true;             // drawn in mode 2 only
  ChannelLimits limits;          // exact, in ten-thousandths of a degree
  uint32_t intervalSeconds = 0;  // 0: not known
  bool hasStart = false;
  StartTime start;              // slot 0; its frame gives each tick's offset
  bool startEstimated = false;  // the caption then says the times are estimated
  LabelLanguage language = LabelLanguage::Polish;
};

// Where the overview goes on a page, in the page's units, and the size of its texts. On a
// pixel page the hairlines are put on pixel centres.
struct OverviewFrame {
  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;
  float fontSize = 12;
  bool pixels = true;
};

// The standalone overview: a white pixel page of its own.
inline constexpr float kOverviewPageWidth = 1000;
inline constexpr float kOverviewPageHeight = 520;

// The plot, its axes and its columns, as the overview draws them.
struct OverviewLayout {
  float left = 0;
  float top = 0;
  float right = 0;
  float bottom = 0;
  uint32_t slots = 0;    // slots holding a reading of channel A
  uint32_t buckets = 0;  // columns when slots exceed them, else one per slot
  ValueAxis values;
  TimeAxis times;
};

// The lowest, highest and last reading of one channel among a column's slots.
struct ColumnReadings {
  int16_t min = 0;
  int16_t max = 0;
  int16_t last = 0;
  bool any = false;
};

inline constexpr std::size_t kOverviewMaxColumns = 1000;

// Every column's readings of each channel drawn, gathered in one pass over the memory: the
// value axis, the bands beyond the limits and the traces are all drawn from them.
struct OverviewColumns {
  uint32_t count = 0;                               // the layout's columns
  ColumnReadings channels[2][kOverviewMaxColumns];  // A, B

  const ColumnReadings& At(Channel channel, uint32_t column) const {
    return channels[channel == Channel::B ? 1 : 0][column < kOverviewMaxColumns ? column : 0];
  }
  // The lowest and highest reading of the channels drawn; false when they hold none.
  bool Range(int32_t& minSixteenths, int32_t& maxSixteenths) const;
};

// The plot's place and axes, and the columns' readings it scales the values axis to.
OverviewLayout LayOutOverview(const OverviewInputs& inputs, const OverviewFrame& frame,
                              OverviewColumns& columns);

// The y of a value in sixteenths, of a limit in ten-thousandths, and the x of a slot's centre.
float ValueY(const OverviewLayout& layout, int32_t sixteenths);
float LimitY(const OverviewLayout& layout, int32_t tenThousandths);
float SlotX(const OverviewLayout& layout, double slot);

// The limits drawn: one pair for every channel shown when they share it, else one pair a
// channel, each with the channels it judges.
struct OverviewLimitGroup {
  AlarmLimits limits;
  bool channelA = false;
  bool channelB = false;
  bool perChannel = false;  // drawn in its channel's colour and named by it
};
struct OverviewLimitGroups {
  OverviewLimitGroup groups[2];
  int count = 0;
};
OverviewLimitGroups LimitGroupsOf(const OverviewInputs& inputs);

// The longest list, whatever the number of readings: bands over at most every other column
// for each limit of each group, a column (or a point) per column for each channel, and the
// fixed parts.
namespace overview_capacity {
inline constexpr std::size_t kBackground = 2;
inline constexpr std::size_t kBands = 2 * (kOverviewMaxColumns + 2);
inline constexpr std::size_t kGrid = 1 + kMaxValueTicks + kMaxTimeTicks;
inline constexpr std::size_t kLimits = 2 * 2 * 2;
inline constexpr std::size_t kTraces = 2 * (1 + kOverviewMaxColumns);
inline constexpr std::size_t kBorderAndMarks = 1 + 5 + kMaxTimeTicks;
// value labels and the unit, time labels and dates and the caption, the legend's four rows
// (pen, sample, words), the note of no readings
inline constexpr std::size_t kLabels = kMaxValueTicks + 1 + 2 * kMaxTimeTicks + 1 + 4 * 3 + 1;
}  // namespace overview_capacity
inline constexpr std::size_t kOverviewStepCapacity =
    overview_capacity::kBackground + overview_capacity::kBands + overview_capacity::kGrid +
    overview_capacity::kLimits + overview_capacity::kTraces + overview_capacity::kBorderAndMarks +
    overview_capacity::kLabels;
// Kept in static storage by a program that draws it: a few hundred kilobytes at most.
static_assert(kOverviewStepCapacity <= 4500);
using OverviewPicture = FixedPicture<kOverviewStepCapacity>;

// Adds the overview's steps inside `frame` (for a page built elsewhere: no Begin).
void BuildOverview(const OverviewInputs& inputs, const OverviewFrame& frame, PictureSink& sink);

// Begins a page of kOverviewPageWidth x kOverviewPageHeight pixels and draws the overview on it.
void BuildOverviewPage(const OverviewInputs& inputs, PictureSink& sink);

}  // namespace zv
