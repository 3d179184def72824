#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "chart/overview.h"

namespace zv {
namespace {

// The logger's word for a value in sixteenths: 12 bits, the top four repeating the sign.
uint16_t Word(int sixteenths) {
  return static_cast<uint16_t>(sixteenths & 0xFFFF);
}

std::unique_ptr<SampleBuffer> Readings(const std::vector<int>& sixteenths) {
  auto samples = std::make_unique<SampleBuffer>();
  for (std::size_t i = 0; i < sixteenths.size() && 2 * i + 1 < kSampleBufferSize; ++i) {
    samples->bytes[2 * i] = static_cast<uint8_t>(Word(sixteenths[i]));
    samples->bytes[2 * i + 1] = static_cast<uint8_t>(Word(sixteenths[i]) >> 8);
    samples->n = static_cast<uint32_t>(2 * i + 2);
  }
  return samples;
}

// The lines drawn with the pen of a name, in order.
std::vector<PictureStep> LinesOf(const PictureView& picture, const std::string& pen) {
  std::vector<PictureStep> lines;
  bool inPen = false;
  for (std::size_t i = 0; i < picture.count; ++i) {
    const PictureStep& s = picture.steps[i];
    if (s.kind == PictureStepKind::Pen) inPen = s.Text() == pen;
    if (inPen && s.kind == PictureStepKind::Line) lines.push_back(s);
  }
  return lines;
}

// Where a value lies, worked out from the plot's edges and the axis's ends alone.
float ExpectedY(const OverviewLayout& l, double degrees) {
  const double low = l.values.low / 10.0;
  const double high = l.values.high / 10.0;
  return static_cast<float>(l.bottom - (degrees - low) / (high - low) * (l.bottom - l.top));
}

OverviewFrame PageFrame() {
  OverviewFrame frame;
  frame.width = kOverviewPageWidth;
  frame.height = kOverviewPageHeight;
  return frame;
}

TEST(Overview, OneSpikeAmongAFullMemorySurvivesAsAColumnReachingIt) {
  std::vector<int> values(16384, 20 * 16);
  values[12345] = 100 * 16;
  const auto samples = Readings(values);
  OverviewInputs in;
  in.samples = samples.get();
  auto picture = std::make_unique<OverviewPicture>();
  BuildOverviewPage(in, *picture);
  auto readings = std::make_unique<OverviewColumns>();
  const OverviewLayout l = LayOutOverview(in, PageFrame(), *readings);

  const auto columns = LinesOf(picture->View(), "trace-a");
  ASSERT_EQ(columns.size(), static_cast<std::size_t>(l.right - l.left));  // one a pixel
  const float width = (l.right - l.left) / static_cast<float>(columns.size());
  const std::size_t spikeColumn = 12345 * columns.size() / 16384;
  const PictureStep& spike = columns[spikeColumn];
  EXPECT_FLOAT_EQ(spike.x, l.left + (spikeColumn + 0.5f) * width);
  EXPECT_NEAR(std::fmin(spike.y, spike.y2), ExpectedY(l, 100) - 0.75f, 0.01f);
  EXPECT_NEAR(std::fmax(spike.y, spike.y2), ExpectedY(l, 20) + 0.75f, 0.01f);
  // Every other column stays at 20 degrees, save the one after the spike, which joins it.
  for (std::size_t c = 0; c < columns.size(); ++c) {
    if (c == spikeColumn || c == spikeColumn + 1) continue;
    EXPECT_NEAR(std::fmin(columns[c].y, columns[c].y2), ExpectedY(l, 20) - 0.75f, 0.01f) << c;
  }
}

TEST(Overview, LimitLinesLieAtTheirValuesAndTheAxisHoldsThem) {
  const auto samples = Readings({4 * 16, 5 * 16, 6 * 16});
  OverviewInputs in;
  in.samples = samples.get();
  in.limits.a = in.limits.b = {-25000, 80000};  // -2.5 and 8 degrees
  auto picture = std::make_unique<OverviewPicture>();
  BuildOverviewPage(in, *picture);
  auto readings = std::make_unique<OverviewColumns>();
  const OverviewLayout l = LayOutOverview(in, PageFrame(), *readings);
  EXPECT_LE(l.values.low, -25);
  EXPECT_GE(l.values.high, 80);

  const auto limits = LinesOf(picture->View(), "limit");
  ASSERT_EQ(limits.size(), 4u);  // two lines across the plot, two legend samples
  for (const auto& [line, degrees] : {std::pair{limits[0], 8.0}, std::pair{limits[1], -2.5}}) {
    EXPECT_EQ(line.x, l.left);
    EXPECT_EQ(line.x2, l.right);
    EXPECT_EQ(line.y, line.y2);
    EXPECT_EQ(line.y, std::floor(ExpectedY(l, degrees)) + 0.5f) << degrees;
  }
  // Three readings, fewer than the columns: one polyline through them, in slot order.
  std::vector<PictureStep> points;
  bool traceA = false;
  for (std::size_t i = 0; i < picture->count; ++i) {
    const PictureStep& s = picture->steps[i];
    if (s.kind == PictureStepKind::Pen) traceA = s.Text() == "trace-a";
    const bool point = s.kind == PictureStepKind::MoveTo || s.kind == PictureStepKind::LineTo;
    if (traceA && point) points.push_back(s);
  }
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points[0].kind, PictureStepKind::MoveTo);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(points[i].y, ExpectedY(l, 4 + i), 0.01f);
}

bool Round(int64_t step) {
  while (step % 10 == 0) step /= 10;
  return step == 1 || step == 2 || step == 5;
}

TEST(Overview, ValueTicksAreRoundAndHoldTheRange) {
  struct Case {
    int min, max;  // sixteenths
  } cases[] = {{0, 0},  {4 * 16, 4 * 16 + 5}, {-2048, 2047},      {-55 * 16, 125 * 16},
               {-1, 1}, {317, 319},           {20 * 16, 27 * 16}, {-100, -90}};
  for (const Case& c : cases) {
    for (int maxTicks : {3, 5, 12}) {
      const ValueAxis axis = ChooseValueAxis(c.min, c.max, maxTicks);
      SCOPED_TRACE(std::to_string(c.min) + ".." + std::to_string(c.max));
      EXPECT_TRUE(Round(axis.step)) << axis.step;
      EXPECT_EQ(axis.low % axis.step, 0);
      EXPECT_EQ(axis.high % axis.step, 0);
      EXPECT_LE(axis.low * 16, c.min * 10);
      EXPECT_GE(axis.high * 16, c.max * 10);
      EXPECT_LT(axis.low, axis.high);
      EXPECT_LE((axis.high - axis.low) / axis.step + 1, maxTicks);
    }
  }
  char text[kAxisLabelCapacity];
  ValueLabel(-125, 5, LabelLanguage::Polish, text);
  EXPECT_STREQ(text, "-12,5");
  ValueLabel(-125, 5, LabelLanguage::English, text);
  EXPECT_STREQ(text, "-12.5");
  ValueLabel(-5, 5, LabelLanguage::Polish, text);
  EXPECT_STREQ(text, "-0,5");
  ValueLabel(250, 50, LabelLanguage::Polish, text);
  EXPECT_STREQ(text, "25");
}

TEST(Overview, TimeTicksFallOnRoundTimesAndStepsAClockReaderExpects) {
  const int64_t start = ((int64_t{20818} * 24 + 23) * 60 + 30) * 60;  // 2026-12-31T23:30:00
  struct Case {
    uint32_t slots, interval;
    bool hasStart;
    TimeAxisKind kind;
  } cases[] = {
      {16384, 0, false, TimeAxisKind::SlotNumber}, {7, 0, true, TimeAxisKind::SlotNumber},
      {8192, 300, false, TimeAxisKind::Elapsed},   {120, 1, false, TimeAxisKind::Elapsed},
      {120, 60, true, TimeAxisKind::ClockTime},    {16384, 18000, true, TimeAxisKind::ClockTime},
      {1, 10, true, TimeAxisKind::ClockTime},
  };
  for (const Case& c : cases) {
    StartTime at;
    at.utc = start;
    TimeAxisInputs in{c.slots, c.interval, c.hasStart, at, 916, 12};
    const TimeAxis axis = ChooseTimeAxis(in);
    SCOPED_TRACE(std::to_string(c.slots) + " x " + std::to_string(c.interval));
    EXPECT_EQ(axis.kind, c.kind);
    const bool days = axis.step % 86400 == 0;
    EXPECT_TRUE(c.kind == TimeAxisKind::SlotNumber ? Round(axis.step)
                                                   : days || 86400 % axis.step == 0)
        << axis.step;
    EXPECT_GE(axis.count, c.slots > 1 ? 2u : 0u);
    for (std::size_t i = 0; i < axis.count; ++i) {
      EXPECT_EQ(axis.values[i] % axis.step, 0);
      EXPECT_GE(axis.slots[i], 0);
      EXPECT_LE(axis.slots[i], c.slots - 1);
      // Neighbours far enough apart for the shortest labels, five characters and a gap.
      if (i > 0) {
        EXPECT_GE((axis.slots[i] - axis.slots[i - 1]) * 916 / c.slots, 12 * (5 * 0.62 + 1.5));
      }
    }
  }
  // Half an hour before the new year, a tick a quarter of an hour or so: the date comes under
  // the first tick and again under midnight's.
  StartTime at;
  at.utc = start;
  const TimeAxis axis = ChooseTimeAxis({120, 60, true, at, 916, 12});
  char line[kAxisLabelCapacity];
  char date[kAxisLabelCapacity];
  TimeLabel(axis, 0, LabelLanguage::Polish, line, date);
  EXPECT_STREQ(line, "23:30");
  EXPECT_STREQ(date, "31.12.2026");
  bool midnight = false;
  for (std::size_t i = 1; i < axis.count; ++i) {
    TimeLabel(axis, i, LabelLanguage::English, line, date);
    if (std::string(line) == "00:00") {
      midnight = true;
      EXPECT_STREQ(date, "2027-01-01");
    } else {
      EXPECT_STREQ(date, "");
    }
  }
  EXPECT_TRUE(midnight);
}

TEST(Overview, AFullMemoryCrossingBothLimitsEverywhereStaysWithinTheList) {
  // The worst case: readings that cross both limits between every two slots.
  std::vector<int> values(16384);
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = i % 2 ? 40 * 16 : -20 * 16;
  for (uint8_t mode : {1, 2}) {
    for (uint32_t shown : {16384u, 2000u, 900u, 3u}) {
      auto few = Readings(std::vector<int>(values.begin(), values.begin() + shown));
      OverviewInputs in;
      in.samples = few.get();
      in.channelMode = mode;
      // each channel its own limits: the most bands
      in.limits = {{0, 100000}, {-10000, 90000}};
      in.intervalSeconds = 1;
      in.hasStart = true;
      auto picture = std::make_unique<OverviewPicture>();
      BuildOverviewPage(in, *picture);
      EXPECT_EQ(picture->dropped, 0u) << shown;
    }
  }
}

}  // namespace
}  // namespace zv
