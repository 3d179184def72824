#include "chart/chart_svg.h"

#include "chart/picture_svg.h"

namespace zv {

void WriteChartSvg(const ChartPaint& paint, ByteSink& sink) {
  SvgPicturePlayer player(sink);
  PlayChartPaint(paint, player);
  player.Finish();
}

}  // namespace zv
