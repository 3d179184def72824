#include "chart/chart_picture.h"

#include "base/text1250.h"

namespace zv {

namespace {

// Each pen by its name in the picture, in creation order.
constexpr const char* kPenNames[kChartPenCount] = {"reference", "trace-a", "fine", "trace-b"};

// A dotted pen draws 3 pixels and leaves 3 out, as GDI's PS_DOT does.
constexpr float kDot = 3;

void AddPen(PictureDraw& draw, ChartPen pen) {
  const std::size_t i = static_cast<std::size_t>(pen) % kChartPenCount;
  const ChartPenStyle& style = kChartPens[i];
  draw.Pen(style.color, style.width, style.dotted ? kDot : 0, style.dotted ? kDot : 0,
           kPenNames[i]);
}

void AddText(PictureDraw& draw, const ChartStep& step, uint32_t color) {
  const std::size_t length = step.length < kChartTextCapacity ? step.length : kChartTextCapacity;
  char utf8[kChartTextCapacity * 3];
  const std::size_t n = Cp1250ToUtf8(std::string_view(step.text, length), utf8, sizeof utf8);
  // The chart font's weight 570 is drawn bold, as the window's Tahoma has no lighter weight
  // above regular.
  TextStyle style;
  style.size = kChartEm;
  style.weight = TextWeight::Bold;
  style.color = color;
  draw.Text(step.x1, step.y1 + kChartTextBaseline, std::string_view(utf8, n), style);
}

}  // namespace

void PlayChartPaint(const ChartPaint& paint, PictureSink& sink) {
  PictureHeader header;
  header.width = kChartCanvasWidth;
  header.height = kChartCanvasHeight;
  header.fonts = PictureFonts::WindowChart;
  header.crispEdges = true;
  sink.Begin(header);
  PictureDraw draw(sink);
  draw.Fill(0, 0, kChartCanvasWidth, kChartCanvasHeight, kChartBackgroundColor);
  uint32_t color = kChartBlack;
  const std::size_t count = paint.count < kChartStepCapacity ? paint.count : kChartStepCapacity;
  for (std::size_t i = 0; i < count; ++i) {
    const ChartStep& step = paint.steps[i];
    switch (step.kind) {
      case ChartStepKind::TransparentBackground:
      case ChartStepKind::SelectFont:
        break;  // picture texts are transparent already, and the font is the chart's
      case ChartStepKind::TextColor:
        color = step.color;
        break;
      case ChartStepKind::SelectPen:
        AddPen(draw, step.pen);
        break;
      case ChartStepKind::Line:
        draw.Line(step.x1, step.y1, step.x2, step.y2);
        break;
      case ChartStepKind::Text:
        AddText(draw, step, color);
        break;
    }
  }
}

}  // namespace zv
