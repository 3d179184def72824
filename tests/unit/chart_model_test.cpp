#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_paint.h"
#include "chart/chart_view.h"
#include "tests/support/stream_port.h"

namespace zv {
namespace {

TEST(ChartScroll, RequestsMoveTheViewAsTheTableSays) {
  using R = ScrollRequest;
  struct Case {
    uint32_t s, p;
    ScrollRequest code;
    uint32_t thumb, newP;
    bool moveThumb, repaint;
  };
  const Case cases[] = {
      // S = 0 and S = 50: the bar is disabled and nothing moves the view.
      {0, 0, R::LineLeft, 0, 0, true, true},
      {0, 0, R::LineRight, 0, 0, false, true},
      {0, 0, R::PageLeft, 0, 0, false, true},
      {0, 0, R::PageRight, 0, 0, false, true},
      {50, 0, R::LineRight, 0, 0, false, true},
      {50, 0, R::PageRight, 0, 0, false, true},
      // S = 100: every sample shows; neither right-hand request moves.
      {100, 0, R::LineRight, 0, 0, false, true},
      {100, 0, R::PageRight, 0, 0, false, true},
      {100, 0, R::ThumbTrack, 0, 0, true, true},
      // S = 155: line right up to 60, page right to 50 only.
      {155, 50, R::LineRight, 0, 60, true, true},
      {155, 60, R::LineRight, 0, 60, false, true},
      {155, 0, R::PageRight, 0, 50, true, true},
      {155, 50, R::PageRight, 0, 50, false, true},
      // The thumb rounds down to even; line left at 6 gives 0; page left at 30 stays but repaints.
      {155, 0, R::ThumbTrack, 57, 56, true, true},
      {155, 6, R::LineLeft, 0, 0, true, true},
      {155, 30, R::PageLeft, 0, 30, false, true},
      {155, 60, R::PageLeft, 0, 10, true, true},
      // Ignored codes: thumb released, either end, end of scrolling.
      {155, 30, R::Ignored, 90, 30, false, false},
      // Unsigned all through: past S the view never moves right, and nothing wraps.
      {155, 200, R::LineRight, 0, 200, false, true},
      {155, 200, R::PageLeft, 0, 150, true, true},
      {16384, 0xFFFFFFF0u, R::PageRight, 0, 0xFFFFFFF0u, false, true},
      {16384, 0, R::ThumbTrack, 65535, 65534, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("S " + std::to_string(c.s) + " p " + std::to_string(c.p) + " code " +
                 std::to_string(static_cast<int>(c.code)));
    const ScrollOutcome got = Scroll(c.p, c.s, c.code, c.thumb);
    EXPECT_EQ(got.position, c.newP);
    EXPECT_EQ(got.moveThumb, c.moveThumb);
    EXPECT_EQ(got.repaint, c.repaint);
  }
}

TEST(ChartChannels, OpeningRuleAndChoice) {
  struct Case {
    const char* name;
    ChannelBoxes got;
    ChannelBoxes want;
  };
  const Case cases[] = {
      {"mode 1 opens", OpeningBoxes(1), {false, true, false, false}},
      {"mode 2 opens", OpeningBoxes(2), {true, true, true, true}},
      {"B alone stays", ApplyChannelRule({true, false, true, true}), {true, false, true, true}},
      {"neither gives A", ApplyChannelRule({true, false, true, false}), {true, true, true, false}},
      {"mode 2: a", ChooseChannels(2, true, false), {true, true, true, false}},
      {"mode 2: b", ChooseChannels(2, false, true), {true, false, true, true}},
      {"mode 2: none", ChooseChannels(2, false, false), {true, true, true, false}},
      {"mode 1: b falls back to A", ChooseChannels(1, false, true), {false, true, false, false}},
      {"mode 1: ab is A", ChooseChannels(1, true, true), {false, true, false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.got.aEnabled, c.want.aEnabled);
    EXPECT_EQ(c.got.aChecked, c.want.aChecked);
    EXPECT_EQ(c.got.bEnabled, c.want.bEnabled);
    EXPECT_EQ(c.got.bChecked, c.want.bChecked);
  }
}

// One step as a short text, in the window's pixels: "L 50,24-550,24", a text by the top-left
// corner of its cell "T 15,8 +125 0", a pen by its name "P fine".
std::string Describe(const PictureStep& s) {
  const auto at = [](float x, float y) {
    return std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y));
  };
  switch (s.kind) {
    case PictureStepKind::Pen:
      return "P " + std::string(s.Text());
    case PictureStepKind::Line:
      return "L " + at(s.x, s.y) + "-" + at(s.x2, s.y2);
    case PictureStepKind::Text: {
      char color[16];
      std::snprintf(color, sizeof color, " %x", static_cast<unsigned>(s.color));
      return "T " + at(s.x, s.y - kChartFont.baseline) + " " + std::string(s.Text()) + color;
    }
    default:
      return "?";
  }
}

std::vector<std::string> Describe(const PictureView& picture) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < picture.count; ++i) out.push_back(Describe(picture.steps[i]));
  return out;
}

std::unique_ptr<SampleBuffer> Samples(const std::vector<uint16_t>& words) {
  auto buffer = std::make_unique<SampleBuffer>();
  for (std::size_t i = 0; i < words.size(); ++i) {
    buffer->bytes[2 * i] = static_cast<uint8_t>(words[i]);
    buffer->bytes[2 * i + 1] = static_cast<uint8_t>(words[i] >> 8);
  }
  buffer->n = static_cast<uint32_t>(2 * words.size());
  return buffer;
}

// The frame every paint draws, in order: grids when ticked, rows, columns, letters, indices.
std::vector<std::string> Frame(uint32_t p, bool rows, bool columns) {
  std::vector<std::string> f = {"P fine"};
  for (int j = 0; rows && j < 34; ++j) {
    f.push_back("L 50," + std::to_string(24 + 10 * j) + "-550," + std::to_string(24 + 10 * j));
  }
  for (int x = 60; columns && x <= 540; x += 10) {
    f.push_back("L " + std::to_string(x) + ",15-" + std::to_string(x) + ",364");
  }
  const char* labels[] = {"+125", "+100", " +75", " +50", " +25", "   0", " -25", " -50"};
  for (int i = 0; i < 8; ++i) {
    const std::string y = std::to_string(14 + 50 * i);
    f.insert(f.end(), {"T 15," + std::to_string(8 + 50 * i) + " " + labels[i] + " 0", "P reference",
                       "L 50," + y + "-550," + y});
  }
  for (int x = 50; x <= 550; x += 50) {
    f.push_back("L " + std::to_string(x) + ",14-" + std::to_string(x) + ",364");
  }
  f.insert(f.end(), {"T 569,40 A ff", "T 569,55 B ff0000"});
  for (uint32_t k = 0; k <= 10; ++k) {
    f.push_back("T " + std::to_string(43 + 50 * k) + ",373 " + std::to_string(p + 10 * k) + " 0");
  }
  return f;
}

// A flat 3-pixel step per value, joined by 2-pixel connectors.
std::vector<std::string> Trace(const char* pen, const std::vector<int>& degrees) {
  std::vector<std::string> t = {std::string("P ") + pen};
  for (std::size_t i = 0; i < degrees.size(); ++i) {
    const int x = 54 + 5 * static_cast<int>(i);
    const std::string y = std::to_string(264 - 2 * degrees[i]);
    if (i > 0) {
      t.push_back("L " + std::to_string(x - 2) + "," + std::to_string(264 - 2 * degrees[i - 1]) +
                  "-" + std::to_string(x) + "," + y);
    }
    t.push_back("L " + std::to_string(x) + "," + y + "-" + std::to_string(x + 3) + "," + y);
  }
  return t;
}

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(ChartPaint, DrawingListInThePaintsOrderAndPixels) {
  // 125, -50, 127 (above the top row), -128 (below the window), -55, then 23 degrees.
  const std::vector<uint16_t> scale = {0x07D0, 0xFCE0, 0x07FF, 0x0800, 0xFC90, 0x0171};
  // Mode 2, slots 10..12: A reads bytes 40, 44, 48, B bytes 42, 46, 50.
  std::vector<uint16_t> two(26, 0x0000);
  for (int i = 0; i < 3; ++i) {
    two[20 + 2 * i] = static_cast<uint16_t>((10 + i) << 4);      // A: 10, 11, 12 degrees
    two[21 + 2 * i] = static_cast<uint16_t>(0xFFF0 - (i << 4));  // B: -1, -2, -3 degrees
  }
  std::vector<uint16_t> ramp(155);
  for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<uint16_t>((i % 100) << 4);
  std::vector<int> ramp60;
  for (int i = 60; i < 155; ++i) ramp60.push_back(i % 100);

  struct Case {
    const char* name;
    std::vector<uint16_t> words;
    uint8_t mode;
    uint32_t p;
    bool rows, columns, showA, showB;
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {"S = 0: frame only",
       {},
       1,
       0,
       false,
       false,
       true,
       false,
       Join(Frame(0, 0, 0), {"P trace-a"})},
      {"S = 1: one step",
       {0x0171},
       1,
       0,
       true,
       true,
       true,
       false,
       Join(Frame(0, 1, 1), Trace("trace-a", {23}))},
      {"values where the scale puts them", scale, 1, 0, false, false, true, true,
       Join(Frame(0, 0, 0), Trace("trace-a", {125, -50, 127, -128, -55, 23}))},
      {"S = 155 at p = 60: 95 samples", ramp, 1, 60, false, false, true, false,
       Join(Frame(60, 0, 0), Trace("trace-a", ramp60))},
      {"p beyond S: labels, no trace", ramp, 1, 200, false, false, true, false,
       Join(Frame(200, 0, 0), {"P trace-a"})},
      {"mode 2 from slot 10, B over A", two, 2, 10, false, false, true, true,
       Join(Join(Frame(10, 0, 0), Trace("trace-a", {10, 11, 12})), Trace("trace-b", {-1, -2, -3}))},
      {"mode 2, B alone", two, 2, 10, false, false, false, true,
       Join(Frame(10, 0, 0), Trace("trace-b", {-1, -2, -3}))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto samples = Samples(c.words);
    ChartInputs in{samples.get(), c.mode, c.p, c.rows, c.columns, c.showA, c.showB};
    auto picture = std::make_unique<ChartPicture>();
    BuildChart(in, *picture);
    EXPECT_EQ(Describe(picture->View()), c.want);
  }
}

TEST(ChartPaint, IndexLabelsAndReadsStayInBoundsAtTheExtremes) {
  auto samples = Samples(std::vector<uint16_t>(10, 0x0100));
  samples->n = 0xFFFFFFFFu;  // a count beyond the buffer reads no further than the buffer
  auto picture = std::make_unique<ChartPicture>();
  BuildChart({samples.get(), 1, 16380, false, false, true, false}, *picture);
  EXPECT_EQ(Describe(picture->View()).back(), "L 69,264-72,264");  // the buffer's last 4 slots
  BuildChart({samples.get(), 1, 0xFFFFFFFEu, false, false, true, false}, *picture);
  const auto steps = Describe(picture->View());
  EXPECT_EQ(steps[steps.size() - 12], "T 43,373 4294967294 0");
  EXPECT_EQ(steps[steps.size() - 11], "T 93,373 8 0");  // the index wraps, as a 32-bit count does
  EXPECT_EQ(steps.back(), "P trace-a");
}

class CountingSink final : public ByteSink {
 public:
  void Put(const char*, std::size_t n) override { bytes += n; }
  std::size_t bytes = 0;
};

TEST(ChartPaint, TheLongestPaintFillsTheListExactlyAndAllocatesNothing) {
  auto samples = std::make_unique<SampleBuffer>();
  samples->n = kSampleBufferSize;
  auto picture = std::make_unique<ChartPicture>();
  CountingSink sink;
  long allocations = 0;
  const ChartInputs in{samples.get(), 2, 0, true, true, true, true};
  {
    test::AllocationCounter counter;
    BuildChartPicture(in, *picture);
    WriteChartSvg(in, sink);
    allocations = counter.count();
  }
  EXPECT_EQ(picture->count, kChartPictureCapacity);
  EXPECT_EQ(picture->dropped, 0u);
  EXPECT_EQ(allocations, 0);
  EXPECT_GT(sink.bytes, 0u);
}

// The window finds a font and a pen of its own for every step it is given to paint.
TEST(ChartPaint, EveryStepFindsTheWindowsFontOrPen) {
  auto samples = std::make_unique<SampleBuffer>();
  samples->n = kSampleBufferSize;
  auto picture = std::make_unique<ChartPicture>();
  BuildChart({samples.get(), 2, 0, true, true, true, true}, *picture);
  for (std::size_t i = 0; i < picture->count; ++i) {
    const PictureStep& s = picture->steps[i];
    SCOPED_TRACE(Describe(s));
    if (s.kind == PictureStepKind::Text) {
      EXPECT_TRUE(DrawsText(kChartFont, s));
    }
    if (s.kind != PictureStepKind::Pen) continue;
    int pens = 0;
    for (const ScreenPen& pen : kChartPens) pens += IsPenOf(pen, s);
    EXPECT_EQ(pens, 1);
  }
}

}  // namespace
}  // namespace zv
