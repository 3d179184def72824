#include "chart/chart_paint.h"

#include "chart/chart_view.h"
#include "picture/picture_svg.h"

namespace zv {

namespace {

// Pixels of the client area: 2 pixels a degree with 0 at y = 264, 5 pixels a sample.
constexpr int kPixelsPerDegree = 2;
constexpr int kZeroY = 264;
constexpr int kTopY = 14;      // +125
constexpr int kBottomY = 364;  // -50
constexpr int kLeftX = 50;
constexpr int kRightX = 550;
constexpr int kPixelsPerSample = 5;

// The labelled rows, every 25 degrees, and the vertical reference lines, every 10 samples.
constexpr int kRowSpacing = 25 * kPixelsPerDegree;
constexpr uint32_t kSamplesPerColumn = 10;
constexpr int kColumnSpacing = kSamplesPerColumn * kPixelsPerSample;
constexpr char kRowLabels[chart_capacity::kRowLabels][5] = {"+125", "+100", " +75", " +50",
                                                            " +25", "   0", " -25", " -50"};
constexpr int kRowLabelX = 15;
constexpr int kRowLabelRaise = 6;  // the label's cell starts above its row

// The fine grid, every 5 degrees and every 2 samples between the reference lines; its columns
// start a pixel below the top row.
constexpr int kFineSpacing = 10;
constexpr int kFirstFineRowY = kTopY + kFineSpacing;
constexpr int kFirstFineColumnX = kLeftX + kFineSpacing;
constexpr int kFineColumnTopY = kTopY + 1;

// The channel letters beside their boxes, and the sample indices under the columns.
constexpr int kLetterX = 569;
constexpr int kLetterAY = 40;
constexpr int kLetterBY = 55;
constexpr int kIndexLabelLeft = 7;  // left of its column
constexpr int kIndexLabelY = kBottomY + 9;

// Each sample a flat step from 4 pixels into its slot, 3 pixels long.
constexpr int kTraceLeftX = kLeftX + 4;
constexpr int kStepLength = 3;

// Long enough for the decimal text of any 32-bit sample index.
constexpr std::size_t kIndexTextCapacity = 10;

class ChartDraw {
 public:
  explicit ChartDraw(PictureSink& sink) : draw_(sink) {}

  void Pen(ChartPen pen) { UsePen(draw_, kChartPens[static_cast<std::size_t>(pen)]); }
  void Line(int x1, int y1, int x2, int y2) {
    draw_.Line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
               static_cast<float>(y2));
  }
  void Text(int x, int top, std::string_view text, uint32_t color = kBlack) {
    CellText(draw_, kChartFont, static_cast<float>(x), static_cast<float>(top), text, color);
  }
  // The decimal text of an index; unsigned, so no index shows a minus sign.
  void Number(int x, int top, uint32_t value) {
    char digits[kIndexTextCapacity];
    std::size_t n = 0;
    do {
      digits[kIndexTextCapacity - 1 - n++] = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value != 0 && n < kIndexTextCapacity);
    Text(x, top, std::string_view(digits + kIndexTextCapacity - n, n));
  }
  PictureDraw& Picture() { return draw_; }

 private:
  PictureDraw draw_;
};

void DrawGridAndLabels(ChartDraw& w, const ChartInputs& in) {
  w.Pen(ChartPen::FineGrid);
  if (in.fineRows) {
    for (int j = 0; j < static_cast<int>(chart_capacity::kFineRows); ++j) {
      const int y = kFirstFineRowY + kFineSpacing * j;
      w.Line(kLeftX, y, kRightX, y);
    }
  }
  if (in.fineColumns) {
    for (int j = 0; j < static_cast<int>(chart_capacity::kFineColumns); ++j) {
      const int x = kFirstFineColumnX + kFineSpacing * j;
      w.Line(x, kFineColumnTopY, x, kBottomY);
    }
  }
  for (int i = 0; i < static_cast<int>(chart_capacity::kRowLabels); ++i) {
    const int y = kTopY + kRowSpacing * i;
    w.Text(kRowLabelX, y - kRowLabelRaise, kRowLabels[i]);
    w.Pen(ChartPen::Reference);
    w.Line(kLeftX, y, kRightX, y);
  }
  for (int k = 0; k < static_cast<int>(chart_capacity::kColumns); ++k) {
    const int x = kLeftX + kColumnSpacing * k;
    w.Line(x, kTopY, x, kBottomY);
  }
  w.Text(kLetterX, kLetterAY, "A", kChannelAColor);
  w.Text(kLetterX, kLetterBY, "B", kChannelBColor);
  // Labelled whether or not that many samples exist; the index wraps as a 32-bit count does.
  for (uint32_t k = 0; k < chart_capacity::kIndexLabels; ++k) {
    const int x = kLeftX + kColumnSpacing * static_cast<int>(k) - kIndexLabelLeft;
    w.Number(x, kIndexLabelY, in.position + kSamplesPerColumn * k);
  }
}

// A flat step per entry, joined to the previous step's end by a connector.
void DrawTrace(ChartDraw& w, const PlotBuffer& plot) {
  int previousX = 0;
  int previousY = 0;
  for (int i = 0; i < plot.count && i < kPlotPoints; ++i) {
    const int y = kZeroY - kPixelsPerDegree * plot.values[i];
    const int x = kTraceLeftX + kPixelsPerSample * i;
    if (i > 0) w.Line(previousX, previousY, x, y);
    w.Line(x, y, x + kStepLength, y);
    previousX = x + kStepLength;
    previousY = y;
  }
}

void DrawChannel(ChartDraw& w, const ChartInputs& in, Channel channel, uint8_t points) {
  // A page past the samples has no points: nothing is read and nothing drawn.
  PlotBuffer plot;
  FillPlotBuffer(plot, *in.samples, in.channelMode, channel, in.position, points);
  w.Pen(channel == Channel::A ? ChartPen::TraceA : ChartPen::TraceB);
  if (points != 0) DrawTrace(w, plot);
}

void BeginChart(PictureSink& sink) {
  PictureHeader header;
  header.width = kChartCanvasWidth;
  header.height = kChartCanvasHeight;
  header.face = kChartFont.face;
  header.crispEdges = true;
  sink.Begin(header);
}

void DrawChart(const ChartInputs& in, ChartDraw& w) {
  DrawGridAndLabels(w, in);
  if (in.samples == nullptr) return;
  const uint32_t sampleCount = ChartSampleCount(*in.samples, in.channelMode);
  const uint8_t points = PointCount(sampleCount, in.position);
  if (in.showA) DrawChannel(w, in, Channel::A, points);
  if (in.channelMode == 2 && in.showB) DrawChannel(w, in, Channel::B, points);
}

}  // namespace

void BuildChart(const ChartInputs& in, PictureSink& sink) {
  BeginChart(sink);
  ChartDraw w(sink);
  DrawChart(in, w);
}

void BuildChartPicture(const ChartInputs& in, PictureSink& sink) {
  BeginChart(sink);
  ChartDraw w(sink);
  w.Picture().Fill(0, 0, kChartCanvasWidth, kChartCanvasHeight, kChartBackgroundColor);
  DrawChart(in, w);
}

void WriteChartSvg(const ChartInputs& in, ByteSink& sink) {
  SvgPicturePlayer player(sink);
  BuildChartPicture(in, player);
  player.Finish();
}

}  // namespace zv
