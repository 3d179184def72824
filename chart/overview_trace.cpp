#include "chart/overview_trace.h"

#include "samples/reading.h"
#include "samples/sample_slots.h"

namespace zv {

namespace {

constexpr uint32_t kHighBand = 0xD8D8FF;  // #ffd8d8, a light red above the high limit
constexpr uint32_t kLowBand = 0xFFE6D2;   // #d2e6ff, a light blue below the low limit
constexpr uint32_t kRed = 0x0000FF;       // channel A, as in the window
constexpr uint32_t kBlue = 0xFF0000;      // channel B

constexpr Channel kChannels[] = {Channel::A, Channel::B};

bool Drawn(const OverviewInputs& in, Channel channel) {
  return channel == Channel::A ? in.showA : in.showB && in.channelMode == 2;
}

bool Reading(const OverviewInputs& in, const SlotLayout& slots, uint32_t slot, Channel channel,
             int32_t& value) {
  uint16_t word = 0;
  if (!ChannelWord(*in.samples, slots, slot, channel, word)) return false;
  value = ReadingSixteenths(word);
  return true;
}

float BucketLeft(const OverviewLayout& layout, uint32_t bucket) {
  return layout.left + (layout.right - layout.left) * static_cast<float>(bucket) /
                           static_cast<float>(layout.buckets);
}

struct Extremes {
  bool any = false;
  int32_t min = 0;
  int32_t max = 0;
  int32_t last = 0;
};

Extremes BucketExtremes(const OverviewInputs& in, const SlotLayout& slots,
                        const OverviewLayout& layout, uint32_t bucket, Channel channel) {
  Extremes e;
  const uint32_t end = BucketStart(layout, bucket + 1);
  for (uint32_t slot = BucketStart(layout, bucket); slot < end; ++slot) {
    int32_t v = 0;
    if (!Reading(in, slots, slot, channel, v)) continue;
    e.min = e.any && e.min < v ? e.min : v;
    e.max = e.any && e.max > v ? e.max : v;
    e.last = v;
    e.any = true;
  }
  return e;
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

void DrawColumns(PictureDraw& draw, const OverviewLayout& layout, const OverviewInputs& in,
                 Channel channel, float lineWidth) {
  const SlotLayout slots = LayoutOf(*in.samples, in.channelMode);
  const float width = (layout.right - layout.left) / static_cast<float>(layout.buckets);
  bool havePrevious = false;
  int32_t previous = 0;
  for (uint32_t b = 0; b < layout.buckets; ++b) {
    const Extremes e = BucketExtremes(in, slots, layout, b, channel);
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

void DrawPolyline(PictureDraw& draw, const OverviewLayout& layout, const OverviewInputs& in,
                  Channel channel) {
  const SlotLayout slots = LayoutOf(*in.samples, in.channelMode);
  bool started = false;
  for (uint32_t slot = 0; slot < layout.slots; ++slot) {
    int32_t v = 0;
    if (!Reading(in, slots, slot, channel, v)) continue;
    if (started) {
      draw.LineTo(SlotX(layout, slot), ValueY(layout, v));
    } else {
      draw.MoveTo(SlotX(layout, slot), ValueY(layout, v));
    }
    started = true;
  }
}

}  // namespace

bool ReadingRange(const OverviewInputs& in, int32_t& minSixteenths, int32_t& maxSixteenths) {
  if (in.samples == nullptr) return false;
  const SlotLayout slots = LayoutOf(*in.samples, in.channelMode);
  bool any = false;
  for (Channel channel : kChannels) {
    if (!Drawn(in, channel)) continue;
    for (uint32_t slot = 0; slot < slots.slots; ++slot) {
      int32_t v = 0;
      if (!Reading(in, slots, slot, channel, v)) continue;
      minSixteenths = any && minSixteenths < v ? minSixteenths : v;
      maxSixteenths = any && maxSixteenths > v ? maxSixteenths : v;
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

void DrawLimitBands(PictureDraw& draw, const OverviewLayout& layout, const OverviewInputs& in) {
  const OverviewLimitGroups groups = LimitGroupsOf(in);
  if (in.samples == nullptr || layout.buckets == 0 || groups.count == 0) return;
  const SlotLayout slots = LayoutOf(*in.samples, in.channelMode);
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
        const Extremes e = BucketExtremes(in, slots, layout, b, channel);
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
                float lineWidth) {
  if (in.samples == nullptr || layout.buckets == 0) return;
  const bool columns = layout.slots > layout.buckets;
  const float columnWidth = (layout.right - layout.left) / static_cast<float>(layout.buckets);
  for (Channel channel : kChannels) {
    if (!Drawn(in, channel)) continue;
    const bool isA = channel == Channel::A;
    draw.Pen(isA ? kRed : kBlue, columns ? columnWidth : lineWidth, 0, 0,
             isA ? "trace-a" : "trace-b");
    if (columns) {
      DrawColumns(draw, layout, in, channel, lineWidth);
    } else {
      DrawPolyline(draw, layout, in, channel);
    }
  }
}

}  // namespace zv
