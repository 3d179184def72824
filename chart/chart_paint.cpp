#include "chart/chart_paint.h"

#include "chart/chart_view.h"

namespace zv {

namespace {

// Pixels of the client area: 2 pixels a degree with 0 at y = 264, 5 pixels a sample.
constexpr int kZeroY = 264;
constexpr int kTopY = 14;      // +125
constexpr int kBottomY = 364;  // -50
constexpr int kLeftX = 50;
constexpr int kRightX = 550;

constexpr char kRowLabels[8][5] = {"+125", "+100", " +75", " +50", " +25", "   0", " -25", " -50"};

class StepWriter {
 public:
  explicit StepWriter(ChartPaint& out) : out_(out) { out_.count = 0; }

  void Transparent() { Next(ChartStepKind::TransparentBackground); }
  void Font() { Next(ChartStepKind::SelectFont); }
  void Color(uint32_t color) { Next(ChartStepKind::TextColor).color = color; }
  void Pen(ChartPen pen) { Next(ChartStepKind::SelectPen).pen = pen; }
  void Line(int x1, int y1, int x2, int y2) {
    ChartStep& s = Next(ChartStepKind::Line);
    s.x1 = static_cast<int16_t>(x1);
    s.y1 = static_cast<int16_t>(y1);
    s.x2 = static_cast<int16_t>(x2);
    s.y2 = static_cast<int16_t>(y2);
  }
  void Text(int x, int y, const char* text, std::size_t length) {
    ChartStep& s = Next(ChartStepKind::Text);
    s.x1 = static_cast<int16_t>(x);
    s.y1 = static_cast<int16_t>(y);
    s.length = static_cast<uint8_t>(length < kChartTextCapacity ? length : kChartTextCapacity);
    for (std::size_t i = 0; i < s.length; ++i) s.text[i] = text[i];
  }
  // The decimal text of an index; unsigned, so no index shows a minus sign.
  void Number(int x, int y, uint32_t value) {
    char digits[kChartTextCapacity];
    std::size_t n = 0;
    do {
      digits[kChartTextCapacity - 1 - n++] = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value != 0 && n < kChartTextCapacity);
    Text(x, y, digits + kChartTextCapacity - n, n);
  }

 private:
  ChartStep& Next(ChartStepKind kind) {
    // The capacity is the longest sequence below; the last slot is reused rather than overrun.
    const std::size_t i = out_.count < kChartStepCapacity ? out_.count++ : kChartStepCapacity - 1;
    out_.steps[i] = ChartStep{};
    out_.steps[i].kind = kind;
    return out_.steps[i];
  }
  ChartPaint& out_;
};

void DrawGridAndLabels(StepWriter& w, const ChartInputs& in) {
  w.Transparent();
  w.Color(kChartBlack);
  w.Pen(ChartPen::FineGrid);
  if (in.fineRows) {
    for (int j = 0; j < 34; ++j) w.Line(kLeftX, 24 + 10 * j, kRightX, 24 + 10 * j);
  }
  if (in.fineColumns) {
    for (int j = 0; j < 49; ++j) w.Line(60 + 10 * j, 15, 60 + 10 * j, kBottomY);
  }
  for (int i = 0; i < 8; ++i) {
    w.Font();
    w.Text(15, 8 + 50 * i, kRowLabels[i], 4);
    w.Pen(ChartPen::Reference);
    w.Line(kLeftX, kTopY + 50 * i, kRightX, kTopY + 50 * i);
  }
  for (int k = 0; k <= 10; ++k) w.Line(kLeftX + 50 * k, kTopY, kLeftX + 50 * k, kBottomY);
  w.Font();
  w.Color(kChartRed);
  w.Text(569, 40, "A", 1);
  w.Color(kChartBlue);
  w.Text(569, 55, "B", 1);
  w.Color(kChartBlack);
  // Labelled whether or not that many samples exist; the index wraps as a 32-bit count does.
  for (uint32_t k = 0; k <= 10; ++k) {
    w.Number(43 + 50 * static_cast<int>(k), 373, in.position + 10 * k);
  }
}

// A 3-pixel flat step per entry, joined to the previous step's end by a connector.
void DrawTrace(StepWriter& w, const PlotBuffer& plot) {
  int previousX = 0;
  int previousY = 0;
  for (int i = 0; i < plot.count && i < kPlotPoints; ++i) {
    const int y = kZeroY - 2 * plot.values[i];
    const int x = 54 + 5 * i;
    if (i > 0) w.Line(previousX, previousY, x, y);
    w.Line(x, y, x + 3, y);
    previousX = x + 3;
    previousY = y;
  }
}

void DrawChannel(StepWriter& w, ChartPaint& out, const ChartInputs& in, Channel channel,
                 uint8_t points) {
  // A page past the samples has no points: nothing is read and nothing drawn.
  out.plot.count = 0;
  FillPlotBuffer(out.plot, *in.samples, in.channelMode, channel, in.position, points);
  w.Pen(channel == Channel::A ? ChartPen::TraceA : ChartPen::TraceB);
  if (points != 0) DrawTrace(w, out.plot);
}

}  // namespace

void BuildChart(const ChartInputs& in, ChartPaint& out) {
  StepWriter w(out);
  DrawGridAndLabels(w, in);
  if (in.samples == nullptr) return;
  const uint32_t sampleCount = ChartSampleCount(*in.samples, in.channelMode);
  const uint8_t points = PointCount(sampleCount, in.position);
  if (in.showA) DrawChannel(w, out, in, Channel::A, points);
  if (in.channelMode == 2 && in.showB) DrawChannel(w, out, in, Channel::B, points);
}

}  // namespace zv
