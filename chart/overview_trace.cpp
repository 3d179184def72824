#include "chart/overview_trace.h"

#include "chart/channel_colors.h"
#include "samples/reading.h"
#include "samples/sample_slots.h"

namespace zv {

namespace {

constexpr uint32_t kHighBand = Rgb(0xFF, 0xD8, 0xD8);  // a light red above the high limit
constexpr uint32_t kLowBand = Rgb(0xD2, 0xE6, 0xFF);   // a light blue below the low limit

constexpr Channel kChannels[] = {Channel::A, Channel::B};

bool Drawn(const OverviewInputs& in, Channel channel) {
  return channel == Channel::A ? in.showA : in.showB && in.channelMode == 2;
}

float BucketLeft(const OverviewLayout& layout, uint32_t bucket) {
  return layout.left + (layout.right - layout.left) * static_cast<float>(bucket) /
                           static_cast<float>(layout.buckets);
}

void Take(ColumnReadings& column, int16_t value) {
  column.min = column.any && column.min < value ? column.min : value;
  column.max = column.any && column.max > value ? column.max : value;
  column.last = value;
  column.any = true;
}

// Runs of columns whose readings pass a limit, each filled from the limit to the plot's edge.
class BandRun {
 public:
  BandRun(PictureDraw& draw, const OverviewLayout& layout, float yFrom, float yTo, uint32_t color)
      : draw_(draw), layout_(layout), yFrom_(yFrom), yTo_(yTo), color_(color) {}
  void Column(uint32_t bucket, bool beyond) {
    if (beyond && !open_) start_ = bucket;
    if (!beyond && open_) {
      draw_.Fill(BucketLeft(layout_, start_), yFrom_, BucketLeft(layout_, bucket), yTo_, color_);
    }
    open_ = beyond;
  }

 private:
  PictureDraw& draw_;
  const OverviewLayout& layout_;
  float yFrom_, yTo_;
  uint32_t color_;
  bool open_ = false;
  uint32_t start_ = 0;
};

void DrawColumns(PictureDraw& draw, const OverviewLayout& layout, const OverviewColumns& columns,
                 Channel channel, float lineWidth) {
  const float width = (layout.right - layout.left) / static_cast<float>(layout.buckets);
  bool havePrevious = false;
  int32_t previous = 0;
  for (uint32_t b = 0; b < layout.buckets; ++b) {
    const ColumnReadings& e = columns.At(channel, b);
    if (!e.any) continue;
    // Each column also reaches the last reading before it, so the trace has no gaps.
    const int32_t low = havePrevious && previous < e.min ? previous : e.min;
    const int32_t high = havePrevious && previous > e.max ? previous : e.max;
    previous = e.last;
    havePrevious = true;
    const float x = BucketLeft(layout, b) + width / 2;
    draw.Line(x, ValueY(layout, high) - lineWidth / 2, x, ValueY(layout, low) + lineWidth / 2);
  }
}

// One slot a column: a point at each reading.
void DrawPolyline(PictureDraw& draw, const OverviewLayout& layout, const OverviewColumns& columns,
                  Channel channel) {
  bool started = false;
  for (uint32_t slot = 0; slot < layout.buckets; ++slot) {
    const ColumnReadings& e = columns.At(channel, slot);
    if (!e.any) continue;
    if (started) {
      draw.LineTo(SlotX(layout, slot), ValueY(layout, e.last));
    } else {
      draw.MoveTo(SlotX(layout, slot), ValueY(layout, e.last));
    }
    started = true;
  }
}

}  // namespace

bool OverviewColumns::Range(int32_t& minSixteenths, int32_t& maxSixteenths) const {
  bool any = false;
  for (const auto& channel : channels) {
    for (uint32_t b = 0; b < count && b < kOverviewMaxColumns; ++b) {
      const ColumnReadings& e = channel[b];
      if (!e.any) continue;
      minSixteenths = any && minSixteenths < e.min ? minSixteenths : e.min;
      maxSixteenths = any && maxSixteenths > e.max ? maxSixteenths : e.max;
      any = true;
    }
  }
  return any;
}

uint32_t BucketStart(const OverviewLayout& layout, uint32_t bucket) {
  if (layout.buckets == 0) return 0;
  return static_cast<uint32_t>((uint64_t{bucket} * layout.slots + layout.buckets - 1) /
                               layout.buckets);
}

void GatherColumns(const OverviewInputs& in, const OverviewLayout& layout,
                   OverviewColumns& columns) {
  columns.count = layout.buckets < kOverviewMaxColumns ? layout.buckets : kOverviewMaxColumns;
  for (auto& channel : columns.channels) {
    for (uint32_t b = 0; b < columns.count; ++b) channel[b] = ColumnReadings{};
  }
  if (in.samples == nullptr || columns.count == 0) return;
  const SlotLayout slots = LayoutOf(*in.samples, in.channelMode);
  uint32_t bucket = 0;
  uint32_t next = BucketStart(layout, 1);
  for (uint32_t slot = 0; slot < layout.slots && slot < slots.slots; ++slot) {
    while (slot >= next && bucket + 1 < columns.count) next = BucketStart(layout, ++bucket + 1);
    for (int c = 0; c < 2; ++c) {
      uint16_t word = 0;
      if (!Drawn(in, kChannels[c]) || !ChannelWord(*in.samples, slots, slot, kChannels[c], word)) {
        continue;
      }
      Take(columns.channels[c][bucket], ReadingSixteenths(word));
    }
  }
}

void DrawLimitBands(PictureDraw& draw, const OverviewLayout& layout, const OverviewInputs& in,
                    const OverviewColumns& columns) {
  const OverviewLimitGroups groups = LimitGroupsOf(in);
  if (layout.buckets == 0 || groups.count == 0) return;
  for (int g = 0; g < groups.count; ++g) {
    const OverviewLimitGroup& group = groups.groups[g];
    const AlarmLimits& limits = group.limits;
    BandRun high(draw, layout, layout.top, limits.high ? LimitY(layout, *limits.high) : 0,
                 kHighBand);
    BandRun low(draw, layout, limits.low ? LimitY(layout, *limits.low) : 0, layout.bottom,
                kLowBand);
    for (uint32_t b = 0; b <= layout.buckets; ++b) {
      bool aboveHigh = false;
      bool belowLow = false;
      for (Channel channel : kChannels) {
        const bool judged = channel == Channel::A ? group.channelA : group.channelB;
        if (b == layout.buckets || !judged || !Drawn(in, channel)) continue;
        const ColumnReadings& e = columns.At(channel, b);
        // Both in ten-thousandths, where the reading and the typed limit are exact.
        const int64_t max = int64_t{e.max} * kTenThousandthsPerSixteenth;
        const int64_t min = int64_t{e.min} * kTenThousandthsPerSixteenth;
        aboveHigh = aboveHigh || (e.any && limits.high && max > *limits.high);
        belowLow = belowLow || (e.any && limits.low && min < *limits.low);
      }
      high.Column(b, aboveHigh);
      low.Column(b, belowLow);
    }
  }
}

void DrawTraces(PictureDraw& draw, const OverviewLayout& layout, const OverviewInputs& in,
                const OverviewColumns& columns, float lineWidth) {
  if (in.samples == nullptr || layout.buckets == 0) return;
  const bool perColumn = layout.slots > layout.buckets;
  const float columnWidth = (layout.right - layout.left) / static_cast<float>(layout.buckets);
  for (Channel channel : kChannels) {
    if (!Drawn(in, channel)) continue;
    const bool isA = channel == Channel::A;
    draw.Pen(isA ? kChannelAColor : kChannelBColor, perColumn ? columnWidth : lineWidth, 0, 0,
             isA ? "trace-a" : "trace-b");
    if (perColumn) {
      DrawColumns(draw, layout, columns, channel, lineWidth);
    } else {
      DrawPolyline(draw, layout, columns, channel);
    }
  }
}

}  // namespace zv
