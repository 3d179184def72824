// The chart's drawing list written as an SVG image: the same steps at the same pixels as the
// window's paint, on a canvas the size of the window's client area.
#pragma once

#include "base/byte_sink.h"
#include "chart/chart_paint.h"

namespace zv {

// The client area of the 600 x 435 window once the title bar, modal frame and scroll bar are
// taken off, as measured under Wine.
inline constexpr int kChartCanvasWidth = 594;
inline constexpr int kChartCanvasHeight = 393;

// The classic dialog grey: the white dotted fine grid shows against it, where it barely shows
// against a near-white dialog face.
inline constexpr char kChartBackground[] = "#d4d0c8";

// SVG places a text by its baseline, the window by the top of the character cell: the
// baseline of a 12-pixel Tahoma cell lies 10 pixels below its top.
inline constexpr int kChartTextBaseline = 10;

// Writes one complete SVG document. Allocates nothing: each element is formatted in a fixed
// buffer and handed to the sink.
void WriteChartSvg(const ChartPaint& paint, ByteSink& sink);

}  // namespace zv
