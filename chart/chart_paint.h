// The window chart as a picture, computed from the samples, the scroll position and the boxes.
// The window's GDI player paints it, and the SVG, PNG and PDF players draw the very same steps
// at the same pixels; none of them knows a coordinate of its own.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/byte_sink.h"
#include "chart/channel_colors.h"
#include "chart/plot_buffer.h"
#include "picture/picture.h"
#include "picture/screen_tools.h"

namespace zv {

// The pens in the order the window creates them.
enum class ChartPen : uint8_t { Reference, TraceA, FineGrid, TraceB };
inline constexpr std::size_t kChartPenCount = 4;

inline constexpr ScreenPen kChartPens[kChartPenCount] = {
    // the labelled rows and the vertical reference lines
    {"reference", kBlack, 1, true},
    {"trace-a", kChannelAColor, 2, false},
    {"fine", kWhite, 1, true},
    {"trace-b", kChannelBColor, 2, false},
};

// The chart font: Tahoma in a 12-pixel character cell at weight 570, which the window's Tahoma
// draws bold as it has no lighter weight above regular. The cell holds a 10-pixel em, its
// baseline 10 pixels below the cell's top.
inline constexpr ScreenFont kChartFont = {TypeFace::Tahoma, 10, TextWeight::Bold, 12, 570, 10};

// The client area of the 600 x 435 window once the title bar, modal frame and scroll bar are
// taken off, as measured under Wine.
inline constexpr int kChartCanvasWidth = 594;
inline constexpr int kChartCanvasHeight = 393;

// The classic dialog grey (#d4d0c8) a file's chart is drawn on, as the window's face: the white
// dotted fine grid shows against it, where it barely shows against a near-white dialog face.
inline constexpr uint32_t kChartBackgroundColor = Rgb(0xD4, 0xD0, 0xC8);

// The longest paint: both grids, every label, two traces of 100 steps with their connectors.
namespace chart_capacity {
inline constexpr std::size_t kOpening = 1;  // the fine-grid pen
inline constexpr std::size_t kFineRows = 34;
inline constexpr std::size_t kFineColumns = 49;
inline constexpr std::size_t kRowLabels = 8;
inline constexpr std::size_t kRows = kRowLabels * 3;  // label, reference pen, row line
inline constexpr std::size_t kColumns = 11;
inline constexpr std::size_t kLetters = 2;  // "A" and "B"
inline constexpr std::size_t kIndexLabels = 11;
inline constexpr std::size_t kTrace = 1 + kPlotPoints + (kPlotPoints - 1);  // pen, steps, joins
}  // namespace chart_capacity

inline constexpr std::size_t kChartStepCapacity =
    chart_capacity::kOpening + chart_capacity::kFineRows + chart_capacity::kFineColumns +
    chart_capacity::kRows + chart_capacity::kColumns + chart_capacity::kLetters +
    chart_capacity::kIndexLabels + 2 * chart_capacity::kTrace;

// The background, then the chart's steps.
inline constexpr std::size_t kChartPictureCapacity = 1 + kChartStepCapacity;
using ChartPicture = FixedPicture<kChartPictureCapacity>;

struct ChartInputs {
  const SampleBuffer* samples = nullptr;
  uint8_t channelMode = 1;
  uint32_t position = 0;  // scroll position p: the slot of the first sample shown
  bool fineRows = false;
  bool fineColumns = false;
  bool showA = true;
  bool showB = false;  // drawn in mode 2 only
};

// Begins the picture in `sink` and adds the whole paint in drawing order, on no background: the
// window's own face is the background. Allocates nothing; values beyond the scale keep the
// coordinates the scale gives them (the platform clips).
void BuildChart(const ChartInputs& inputs, PictureSink& sink);

// The same, on the dialog's grey: the chart as a file shows it.
void BuildChartPicture(const ChartInputs& inputs, PictureSink& sink);

// BuildChartPicture as one SVG document. Allocates nothing: the steps go to the player as they
// are made, and each element is formatted in a fixed buffer.
void WriteChartSvg(const ChartInputs& inputs, ByteSink& sink);

}  // namespace zv
