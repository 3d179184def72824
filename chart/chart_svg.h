// The chart's drawing list written as an SVG image: the same steps at the same pixels as the
// window's paint, on a canvas the size of the window's client area, by the pictures' one SVG
// player.
#pragma once

#include "base/byte_sink.h"
#include "chart/chart_paint.h"
#include "chart/chart_picture.h"

namespace zv {

// Writes one complete SVG document. Allocates nothing: the steps go to the player as they
// are made, and each element is formatted in a fixed buffer.
void WriteChartSvg(const ChartPaint& paint, ByteSink& sink);

}  // namespace zv
