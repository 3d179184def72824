#include "chart/overview.h"

#include <cmath>
#include <cstdio>

#include "chart/channel_colors.h"
#include "chart/overview_trace.h"
#include "samples/reading_number.h"
#include "samples/sample_slots.h"

namespace zv {

namespace {

constexpr uint32_t kGrid = Rgb(0xDD, 0xDD, 0xDD);
constexpr uint32_t kLimitColor = Rgb(0xD0, 0x60, 0x00);  // apart from both traces
// A channel's own limits, when the channels have different ones: a darker shade of its trace.
constexpr uint32_t kLimitColorA = Rgb(0x90, 0, 0);
constexpr uint32_t kLimitColorB = Rgb(0, 0, 0x90);

// The em of a frame that gives none, and the width of a hairline on a point page of that em.
constexpr float kDefaultEm = 12;

// Every length below is in ems of the frame's font size.
// Margins around the plot: the value labels on the left, the legend above, the time labels,
// dates and caption below.
constexpr float kLeftMargin = 4.5f;
constexpr float kRightMargin = 2.5f;
constexpr float kTopMargin = 2.2f;
constexpr float kBottomMargin = 4.8f;
// At most one value tick to this much height.
constexpr float kValueRowHeight = 2.5f;
// A tick below the plot, and the gap between the plot and a value label.
constexpr float kTickLength = 0.4f;
constexpr float kLabelGap = 0.4f;
// A value label's baseline below its tick: half a digit's height, so the digits centre on it.
constexpr float kHalfDigit = 0.35f;
// Baselines above the plot (the unit, the legend) and above the frame's bottom (the caption).
constexpr float kAboveLine = 0.7f;
// Baselines of a time label and of the date under it, below the plot.
constexpr float kTimeLabelDrop = 1.4f;
constexpr float kDateDrop = 2.6f;
// The legend: an entry's sample line, where its words start, and how far the next entry is.
constexpr float kLegendIndent = 1;
constexpr float kLegendSample = 2;
constexpr float kLegendWords = 2.5f;
constexpr float kLegendChannelEntry = 9;
constexpr float kLegendLimitEntry = 15;
constexpr float kLegendChannelLimitsEntry = 18;

// In hairlines: a limit's pen and its dashes, a trace's line, a legend sample's line.
constexpr float kLimitWidth = 1.5f;
constexpr float kLimitDash = 6;
constexpr float kLimitGap = 4;
constexpr float kTraceWidth = 1.5f;
constexpr float kLegendLineWidth = 2;

// With neither readings nor limits the axis shows 0 to 25 degrees.
constexpr int32_t kEmptyLow = 0;
constexpr int32_t kEmptyHigh = 25 * 16;

// The sixteenth at or below a value in ten-thousandths.
int32_t FloorSixteenths(int32_t tenThousandths) {
  const int32_t q = tenThousandths / kTenThousandthsPerSixteenth;
  return q * kTenThousandthsPerSixteenth > tenThousandths ? q - 1 : q;
}

struct Drawing {
  PictureDraw& draw;
  const OverviewInputs& in;
  const OverviewFrame& frame;
  const OverviewLayout& layout;
  float em;
  float hairline;

  // A hairline on a pixel page runs along a pixel's centre.
  float Snap(float v) const { return frame.pixels ? std::floor(v) + 0.5f : v; }
  TextStyle Style(TextAnchor anchor, uint32_t color = kBlack) const {
    TextStyle style;
    style.size = em;
    style.anchor = anchor;
    style.color = color;
    return style;
  }
};

float TenthsY(const OverviewLayout& layout, double tenths) {
  const double span = layout.values.high - layout.values.low;
  return layout.bottom -
         static_cast<float>((tenths - layout.values.low) / span * (layout.bottom - layout.top));
}

void DrawGrid(const Drawing& d) {
  const OverviewLayout& l = d.layout;
  d.draw.Pen(kGrid, d.hairline, 0, 0, "grid");
  for (int32_t v = l.values.low; v <= l.values.high; v += l.values.step) {
    const float y = d.Snap(TenthsY(l, v));
    d.draw.Line(l.left, y, l.right, y);
  }
  for (std::size_t i = 0; i < l.times.count; ++i) {
    const float x = d.Snap(SlotX(l, l.times.slots[i]));
    d.draw.Line(x, l.top, x, l.bottom);
  }
}

uint32_t LimitColor(const OverviewLimitGroup& group) {
  if (!group.perChannel) return kLimitColor;
  return group.channelA ? kLimitColorA : kLimitColorB;
}

void LimitPen(const Drawing& d, uint32_t color) {
  d.draw.Pen(color, kLimitWidth * d.hairline, kLimitDash * d.hairline, kLimitGap * d.hairline,
             "limit");
}

void DrawLimits(const Drawing& d, const OverviewLimitGroups& groups) {
  for (int g = 0; g < groups.count; ++g) {
    const OverviewLimitGroup& group = groups.groups[g];
    for (const std::optional<int32_t>& limit : {group.limits.high, group.limits.low}) {
      if (!limit) continue;
      const float y = d.Snap(LimitY(d.layout, *limit));
      LimitPen(d, LimitColor(group));
      d.draw.Line(d.layout.left, y, d.layout.right, y);
    }
  }
}

// A limit exactly as it was given, with the unit: "7,25 °C".
void LimitValueText(const Drawing& d, int32_t limit, char (&text)[kDecimalTextCapacity + 8]) {
  const OverviewTexts& texts = TextsFor(d.in.language);
  char value[kDecimalTextCapacity];
  ShortDecimalText(limit, texts.decimalSeparator, value);
  std::snprintf(text, sizeof text, "%s %s", value, texts.degrees);
}

// "granice A: od 2,0 do 8,0 °C": one channel's own limits.
// Longer than a step holds, so that nothing is cut while it is put together; the step keeps
// what fits (every real limit does).
using LegendText = char[2 * kPictureTextCapacity];

void ChannelLimitsText(const Drawing& d, const OverviewLimitGroup& group, LegendText& text) {
  const OverviewTexts& texts = TextsFor(d.in.language);
  char low[kDecimalTextCapacity + 8] = "";
  char high[kDecimalTextCapacity + 8] = "";
  if (group.limits.low) LimitValueText(d, *group.limits.low, low);
  if (group.limits.high) LimitValueText(d, *group.limits.high, high);
  char range[96];
  if (group.limits.low && group.limits.high) {
    std::snprintf(range, sizeof range, texts.bothLimits, low, high);
  } else {
    std::snprintf(range, sizeof range, group.limits.low ? texts.lowLimitOnly : texts.highLimitOnly,
                  group.limits.low ? low : high);
  }
  std::snprintf(text, sizeof text, "%s %s",
                group.channelA ? texts.channelLimitsA : texts.channelLimitsB, range);
}

void DrawBorderAndMarks(const Drawing& d) {
  const OverviewLayout& l = d.layout;
  d.draw.Pen(kBlack, d.hairline, 0, 0, "frame");
  const float left = d.Snap(l.left);
  const float right = d.Snap(l.right);
  const float top = d.Snap(l.top);
  const float bottom = d.Snap(l.bottom);
  d.draw.MoveTo(left, top);
  d.draw.LineTo(right, top);
  d.draw.LineTo(right, bottom);
  d.draw.LineTo(left, bottom);
  d.draw.LineTo(left, top);
  for (std::size_t i = 0; i < l.times.count; ++i) {
    const float x = d.Snap(SlotX(l, l.times.slots[i]));
    d.draw.Line(x, bottom, x, bottom + kTickLength * d.em);
  }
}

void DrawValueLabels(const Drawing& d) {
  const OverviewLayout& l = d.layout;
  char text[kAxisLabelCapacity];
  for (int32_t v = l.values.low; v <= l.values.high; v += l.values.step) {
    ValueLabel(v, l.values.step, d.in.language, text);
    d.draw.Text(l.left - kLabelGap * d.em, TenthsY(l, v) + kHalfDigit * d.em, text,
                d.Style(TextAnchor::End));
  }
  d.draw.Text(l.left - kLabelGap * d.em, l.top - kAboveLine * d.em, TextsFor(d.in.language).degrees,
              d.Style(TextAnchor::End));
}

void DrawTimeLabels(const Drawing& d) {
  const OverviewLayout& l = d.layout;
  char line[kAxisLabelCapacity];
  char date[kAxisLabelCapacity];
  for (std::size_t i = 0; i < l.times.count; ++i) {
    TimeLabel(l.times, i, d.in.language, line, date);
    const float x = SlotX(l, l.times.slots[i]);
    d.draw.Text(x, l.bottom + kTimeLabelDrop * d.em, line, d.Style(TextAnchor::Middle));
    if (date[0] != '\0') {
      d.draw.Text(x, l.bottom + kDateDrop * d.em, date, d.Style(TextAnchor::Middle));
    }
  }
  const bool estimated = d.in.startEstimated && l.times.kind == TimeAxisKind::ClockTime;
  d.draw.Text((l.left + l.right) / 2, d.frame.y + d.frame.height - kAboveLine * d.em,
              estimated ? TextsFor(d.in.language).estimatedClockCaption
                        : TimeCaption(l.times, d.in.language),
              d.Style(TextAnchor::Middle));
}

// A sample of each line drawn and what it is, in a row above the plot, where no trace can
// cover the words.
void DrawLegend(const Drawing& d, bool readings) {
  const OverviewTexts& texts = TextsFor(d.in.language);
  const float y = d.layout.top - kAboveLine * d.em;
  const float lineY = y - kHalfDigit * d.em;
  float x = d.layout.left + kLegendIndent * d.em;
  const bool showB = d.in.showB && d.in.channelMode == 2;
  const bool shown[] = {d.in.showA, showB};
  const uint32_t colors[] = {kChannelAColor, kChannelBColor};
  const char* names[] = {texts.channelA, texts.channelB};
  for (int i = 0; i < 2; ++i) {
    if (!shown[i]) continue;
    d.draw.Pen(colors[i], kLegendLineWidth * d.hairline, 0, 0, "legend");
    d.draw.Line(x, lineY, x + kLegendSample * d.em, lineY);
    d.draw.Text(x + kLegendWords * d.em, y, names[i], d.Style(TextAnchor::Start));
    x += kLegendChannelEntry * d.em;
  }
  const OverviewLimitGroups groups = LimitGroupsOf(d.in);
  const auto entry = [&](uint32_t color, const char* text, float width) {
    LimitPen(d, color);
    d.draw.Line(x, lineY, x + kLegendSample * d.em, lineY);
    d.draw.Text(x + kLegendWords * d.em, y, text, d.Style(TextAnchor::Start, color));
    x += width * d.em;
  };
  for (int g = 0; g < groups.count; ++g) {
    const OverviewLimitGroup& group = groups.groups[g];
    LegendText text;
    if (group.perChannel) {
      ChannelLimitsText(d, group, text);
      entry(LimitColor(group), text, kLegendChannelLimitsEntry);
      continue;
    }
    const std::optional<int32_t> values[] = {group.limits.high, group.limits.low};
    const char* limitNames[] = {texts.highLimit, texts.lowLimit};
    for (int i = 0; i < 2; ++i) {
      if (!values[i]) continue;
      char value[kDecimalTextCapacity + 8];
      LimitValueText(d, *values[i], value);
      std::snprintf(text, sizeof text, "%s %s", limitNames[i], value);
      entry(kLimitColor, text, kLegendLimitEntry);
    }
  }
  if (!readings) {
    d.draw.Text((d.layout.left + d.layout.right) / 2, (d.layout.top + d.layout.bottom) / 2,
                texts.noReadings, d.Style(TextAnchor::Middle));
  }
}

}  // namespace

OverviewLayout LayOutOverview(const OverviewInputs& in, const OverviewFrame& frame,
                              OverviewColumns& readings) {
  OverviewLayout l;
  const float em = frame.fontSize > 0 ? frame.fontSize : kDefaultEm;
  l.left = frame.x + kLeftMargin * em;
  l.right = frame.x + frame.width - kRightMargin * em;
  l.top = frame.y + kTopMargin * em;
  l.bottom = frame.y + frame.height - kBottomMargin * em;
  if (frame.pixels) {
    l.left = std::round(l.left);
    l.right = std::round(l.right);
    l.top = std::round(l.top);
    l.bottom = std::round(l.bottom);
  }
  if (!(l.right - l.left >= 1)) l.right = l.left + 1;
  if (!(l.bottom - l.top >= 1)) l.bottom = l.top + 1;

  l.slots = in.samples != nullptr ? LayoutOf(*in.samples, in.channelMode).slots : 0;
  const float width = l.right - l.left;
  const uint32_t columns = width >= kOverviewMaxColumns ? kOverviewMaxColumns
                           : width >= 1                 ? static_cast<uint32_t>(width)
                                                        : 1;
  l.buckets = l.slots < columns ? l.slots : columns;
  GatherColumns(in, l, readings);

  int32_t low = kEmptyLow;
  int32_t high = kEmptyHigh;
  bool any = readings.Range(low, high);
  // Every limit drawn lies on the axis too, widened to the sixteenths around it.
  const OverviewLimitGroups groups = LimitGroupsOf(in);
  for (int g = 0; g < groups.count; ++g) {
    for (const std::optional<int32_t>& limit :
         {groups.groups[g].limits.low, groups.groups[g].limits.high}) {
      if (!limit) continue;
      const int32_t below = FloorSixteenths(*limit);
      const int32_t above = below * kTenThousandthsPerSixteenth == *limit ? below : below + 1;
      low = any && low < below ? low : below;
      high = any && high > above ? high : above;
      any = true;
    }
  }
  const float rows = (l.bottom - l.top) / (kValueRowHeight * em);
  l.values = ChooseValueAxis(
      low, high, rows >= 0 && rows < kMaxValueTicks ? static_cast<int>(rows) : kMaxValueTicks);

  TimeAxisInputs t;
  t.slots = l.slots;
  t.intervalSeconds = in.intervalSeconds;
  t.hasStart = in.hasStart && in.start.utc < kLargestStart && in.start.utc > -kLargestStart;
  t.start = in.start;
  t.plotWidth = width;
  t.fontSize = em;
  l.times = ChooseTimeAxis(t);
  return l;
}

float ValueY(const OverviewLayout& layout, int32_t sixteenths) {
  return TenthsY(layout, sixteenths * 10 / 16.0);
}

float LimitY(const OverviewLayout& layout, int32_t tenThousandths) {
  return TenthsY(layout, tenThousandths / 1000.0);
}

OverviewLimitGroups LimitGroupsOf(const OverviewInputs& in) {
  OverviewLimitGroups out;
  const bool showB = in.showB && in.channelMode == 2;
  const bool showA = in.showA;
  const bool shared = !showA || !showB || in.limits.a == in.limits.b;
  if (shared) {
    const AlarmLimits& limits = showA ? in.limits.a : in.limits.b;
    if (limits.Any()) out.groups[out.count++] = {limits, showA, showB, false};
    return out;
  }
  if (in.limits.a.Any()) out.groups[out.count++] = {in.limits.a, true, false, true};
  if (in.limits.b.Any()) out.groups[out.count++] = {in.limits.b, false, true, true};
  return out;
}

float SlotX(const OverviewLayout& layout, double slot) {
  if (layout.slots == 0) return (layout.left + layout.right) / 2;
  return layout.left + static_cast<float>((slot + 0.5) * (layout.right - layout.left) /
                                          static_cast<double>(layout.slots));
}

void BuildOverview(const OverviewInputs& in, const OverviewFrame& frame, PictureSink& sink) {
  PictureDraw draw(sink);
  OverviewColumns columns;
  const OverviewLayout layout = LayOutOverview(in, frame, columns);
  const float em = frame.fontSize > 0 ? frame.fontSize : kDefaultEm;
  // A pixel page's hairline is a pixel; a point page's grows with its em.
  const Drawing d{draw, in, frame, layout, em, frame.pixels ? 1.0f : em / kDefaultEm};
  int32_t low = 0;
  int32_t high = 0;
  const bool readings = columns.Range(low, high);

  draw.Fill(layout.left, layout.top, layout.right, layout.bottom, kWhite);
  DrawLimitBands(draw, layout, in, columns);
  DrawGrid(d);
  DrawLimits(d, LimitGroupsOf(in));
  DrawTraces(draw, layout, in, columns, kTraceWidth * d.hairline);
  DrawBorderAndMarks(d);
  DrawValueLabels(d);
  DrawTimeLabels(d);
  DrawLegend(d, readings);
}

void BuildOverviewPage(const OverviewInputs& in, PictureSink& sink) {
  PictureHeader header;
  header.width = kOverviewPageWidth;
  header.height = kOverviewPageHeight;
  sink.Begin(header);
  PictureDraw(sink).Fill(0, 0, kOverviewPageWidth, kOverviewPageHeight, kWhite);
  OverviewFrame frame;
  frame.width = kOverviewPageWidth;
  frame.height = kOverviewPageHeight;
  BuildOverview(in, frame, sink);
}

}  // namespace zv
