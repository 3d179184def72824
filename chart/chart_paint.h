// The whole chart as one list of drawing steps, computed from the samples, the scroll position
// and the boxes. The window's paint and the SVG writer both play this list; neither knows a
// coordinate of its own.
#pragma once

#include <cstddef>
#include <cstdint>

#include "chart/plot_buffer.h"

namespace zv {

// The pens in the order the window creates them.
enum class ChartPen : uint8_t { Reference, TraceA, FineGrid, TraceB };
inline constexpr std::size_t kChartPenCount = 4;

struct ChartPenStyle {
  bool dotted;
  uint8_t width;
  uint32_t color;  // 0x00BBGGRR
};

inline constexpr uint32_t kChartBlack = 0x000000;
inline constexpr uint32_t kChartRed = 0x0000FF;
inline constexpr uint32_t kChartBlue = 0xFF0000;
inline constexpr uint32_t kChartWhite = 0xFFFFFF;

inline constexpr ChartPenStyle kChartPens[kChartPenCount] = {
    {true, 1, kChartBlack},  // Reference: the labelled rows and the vertical reference lines
    {false, 2, kChartRed},   // TraceA
    {true, 1, kChartWhite},  // FineGrid
    {false, 2, kChartBlue},  // TraceB
};

// The chart font: Tahoma with a 12-pixel character cell, weight 570.
inline constexpr int kChartFontHeight = 12;
inline constexpr int kChartFontWeight = 570;

enum class ChartStepKind : uint8_t {
  TransparentBackground,  // texts and the gaps of dotted lines leave the background visible
  TextColor,
  SelectPen,
  SelectFont,  // the chart font, the only one
  Line,        // from (x1, y1) to (x2, y2), the end point itself not drawn
  Text,        // `length` bytes of `text`, top-left corner of the first character at (x1, y1)
};

// Long enough for the decimal text of any 32-bit sample index.
inline constexpr std::size_t kChartTextCapacity = 10;

struct ChartStep {
  ChartStepKind kind = ChartStepKind::Line;
  ChartPen pen = ChartPen::Reference;
  uint8_t length = 0;
  uint32_t color = kChartBlack;
  int16_t x1 = 0;
  int16_t y1 = 0;
  int16_t x2 = 0;
  int16_t y2 = 0;
  char text[kChartTextCapacity] = {};  // Windows-1250 bytes, not NUL-terminated
};

// The longest paint: both grids, every label, two traces of 100 steps with their connectors.
namespace chart_capacity {
inline constexpr std::size_t kOpening = 3;  // background mode, text colour, fine-grid pen
inline constexpr std::size_t kFineRows = 34;
inline constexpr std::size_t kFineColumns = 49;
inline constexpr std::size_t kRows = 8 * 4;  // font, label, reference pen, row line
inline constexpr std::size_t kColumns = 11;
inline constexpr std::size_t kLetters = 6;  // font, red, "A", blue, "B", black
inline constexpr std::size_t kIndexLabels = 11;
inline constexpr std::size_t kTrace = 1 + kPlotPoints + (kPlotPoints - 1);  // pen, steps, joins
}  // namespace chart_capacity

inline constexpr std::size_t kChartStepCapacity =
    chart_capacity::kOpening + chart_capacity::kFineRows + chart_capacity::kFineColumns +
    chart_capacity::kRows + chart_capacity::kColumns + chart_capacity::kLetters +
    chart_capacity::kIndexLabels + 2 * chart_capacity::kTrace;

struct ChartInputs {
  const SampleBuffer* samples = nullptr;
  uint8_t channelMode = 1;
  uint32_t position = 0;  // scroll position p: the slot of the first sample shown
  bool fineRows = false;
  bool fineColumns = false;
  bool showA = true;
  bool showB = false;  // drawn in mode 2 only
};

struct ChartPaint {
  ChartStep steps[kChartStepCapacity];
  std::size_t count = 0;
  PlotBuffer plot;  // scratch for one trace at a time
};

// Fills `out` with the whole paint in drawing order. Allocates nothing; values beyond the
// scale keep the coordinates the scale gives them (the platform clips).
void BuildChart(const ChartInputs& inputs, ChartPaint& out);

}  // namespace zv
