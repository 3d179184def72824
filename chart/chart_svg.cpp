#include "chart/chart_svg.h"

#include <cstdio>
#include <string_view>

#include "base/text1250.h"

namespace zv {

namespace {

// One class per pen, in creation order; a dotted pen draws 3 pixels and leaves 3 out.
constexpr const char* kPenClass[kChartPenCount] = {"reference", "trace-a", "fine", "trace-b"};

// An element is at most a line or a text of 10 characters, each escaped to at most 6 bytes.
constexpr std::size_t kElementCapacity = 256;

struct Rgb {
  unsigned r, g, b;
};

Rgb FromColorRef(uint32_t color) {
  return {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF};
}

class SvgOut {
 public:
  explicit SvgOut(ByteSink& sink) : sink_(sink) {}

  template <typename... Args>
  void Print(const char* format, Args... args) {
    char element[kElementCapacity];
    const int n = std::snprintf(element, sizeof element, format, args...);
    if (n > 0)
      sink_.Put(element, static_cast<std::size_t>(n) < sizeof element ? n : sizeof element - 1);
  }
  void Put(std::string_view text) { sink_.Put(text.data(), text.size()); }

 private:
  ByteSink& sink_;
};

void WriteStyle(SvgOut& out) {
  out.Put("<style>\n");
  for (std::size_t i = 0; i < kChartPenCount; ++i) {
    const ChartPenStyle& pen = kChartPens[i];
    const Rgb c = FromColorRef(pen.color);
    out.Print(".%s{stroke:#%02x%02x%02x;stroke-width:%u;fill:none%s}\n", kPenClass[i], c.r, c.g,
              c.b, static_cast<unsigned>(pen.width), pen.dotted ? ";stroke-dasharray:3 3" : "");
  }
  out.Put("</style>\n");
}

void WriteHeader(SvgOut& out) {
  out.Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  // A 12-pixel character cell of Tahoma holds a 10-pixel em; the texts keep their spaces, which
  // right-align the row labels.
  out.Print(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
      "viewBox=\"0 0 %d %d\" font-family=\"Tahoma, 'DejaVu Sans', sans-serif\" "
      "font-size=\"10\" font-weight=\"%d\" xml:space=\"preserve\">\n",
      kChartCanvasWidth, kChartCanvasHeight, kChartCanvasWidth, kChartCanvasHeight,
      kChartFontWeight);
  WriteStyle(out);
  out.Print("<rect width=\"%d\" height=\"%d\" fill=\"%s\"/>\n", kChartCanvasWidth,
            kChartCanvasHeight, kChartBackground);
  // Lines on whole pixels, as the window draws them.
  out.Put("<g shape-rendering=\"crispEdges\">\n");
}

// The text in UTF-8 with the characters XML reserves escaped.
std::size_t EscapedText(const ChartStep& step, char* out, std::size_t capacity) {
  char utf8[kChartTextCapacity * 3 + 1];
  const std::size_t n = Cp1250ToUtf8(std::string_view(step.text, step.length), utf8, sizeof utf8);
  std::size_t used = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = utf8[i];
    const std::string_view piece = c == '&'   ? "&amp;"
                                   : c == '<' ? "&lt;"
                                   : c == '>' ? "&gt;"
                                              : std::string_view(&utf8[i], 1);
    if (used + piece.size() + 1 > capacity) break;
    for (char p : piece) out[used++] = p;
  }
  out[used] = '\0';
  return used;
}

}  // namespace

void WriteChartSvg(const ChartPaint& paint, ByteSink& sink) {
  SvgOut out(sink);
  WriteHeader(out);
  ChartPen pen = ChartPen::Reference;
  uint32_t color = kChartBlack;
  const std::size_t count = paint.count < kChartStepCapacity ? paint.count : kChartStepCapacity;
  for (std::size_t i = 0; i < count; ++i) {
    const ChartStep& step = paint.steps[i];
    switch (step.kind) {
      case ChartStepKind::TransparentBackground:
      case ChartStepKind::SelectFont:
        break;  // SVG texts are transparent already; the font is the document's
      case ChartStepKind::TextColor:
        color = step.color;
        break;
      case ChartStepKind::SelectPen:
        pen = step.pen;
        break;
      case ChartStepKind::Line:
        out.Print("<line class=\"%s\" x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\"/>\n",
                  kPenClass[static_cast<std::size_t>(pen) % kChartPenCount], step.x1, step.y1,
                  step.x2, step.y2);
        break;
      case ChartStepKind::Text: {
        char text[kChartTextCapacity * 6 + 1];
        EscapedText(step, text, sizeof text);
        const Rgb c = FromColorRef(color);
        out.Print("<text x=\"%d\" y=\"%d\" fill=\"#%02x%02x%02x\">%s</text>\n", step.x1,
                  step.y1 + kChartTextBaseline, c.r, c.g, c.b, text);
        break;
      }
    }
  }
  out.Put("</g>\n</svg>\n");
}

}  // namespace zv
