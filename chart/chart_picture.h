// The window chart's drawing list as a picture, so that the SVG, PNG and PDF players draw the
// very steps the window plays with GDI, at the same pixels.
#pragma once

#include "chart/chart_paint.h"
#include "chart/picture.h"

namespace zv {

// The client area of the 600 x 435 window once the title bar, modal frame and scroll bar are
// taken off, as measured under Wine.
inline constexpr int kChartCanvasWidth = 594;
inline constexpr int kChartCanvasHeight = 393;

// The classic dialog grey (#d4d0c8): the white dotted fine grid shows against it, where it
// barely shows against a near-white dialog face.
inline constexpr uint32_t kChartBackgroundColor = 0xC8D0D4;

// A picture places a text by its baseline, the window by the top of the character cell: the
// baseline of a 12-pixel Tahoma cell lies 10 pixels below its top, and the cell holds a
// 10-pixel em.
inline constexpr int kChartTextBaseline = 10;
inline constexpr float kChartEm = 10;

// The background, then at most one step for each step of the chart.
inline constexpr std::size_t kChartPictureCapacity = 1 + kChartStepCapacity;
using ChartPicture = FixedPicture<kChartPictureCapacity>;

// Begins the picture in `sink` and adds the chart's steps. Allocates nothing.
void PlayChartPaint(const ChartPaint& paint, PictureSink& sink);

}  // namespace zv
