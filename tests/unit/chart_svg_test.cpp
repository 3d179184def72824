#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_paint.h"
#include "tests/support/string_sink.h"

namespace zv {
namespace {

using test::StringSink;

// What the SVG must hold for each drawing step that leaves a mark, in the list's order.
std::vector<std::string> ExpectedElements(const PictureView& picture) {
  std::vector<std::string> out;
  std::string pen = "none";
  char element[160];
  for (std::size_t i = 0; i < picture.count; ++i) {
    const PictureStep& s = picture.steps[i];
    const auto at = [](float v) { return static_cast<int>(v); };
    if (s.kind == PictureStepKind::Pen) pen = s.Text();
    if (s.kind == PictureStepKind::Line) {
      std::snprintf(element, sizeof element, "line %s %d %d %d %d", pen.c_str(), at(s.x), at(s.y),
                    at(s.x2), at(s.y2));
      out.push_back(element);
    }
    if (s.kind == PictureStepKind::Text) {
      // 0x00BBGGRR as #rrggbb, at the baseline.
      std::snprintf(element, sizeof element, "text %d %d #%02x%02x%02x %.*s", at(s.x), at(s.y),
                    s.color & 0xFF, (s.color >> 8) & 0xFF, s.color >> 16, s.length, s.text);
      out.push_back(element);
    }
  }
  return out;
}

// The SVG's line and text elements, one to a line of the document, read back field by field;
// a line takes its pen's name from the group it stands in.
std::vector<std::string> SvgElements(const std::string& svg) {
  std::vector<std::string> out;
  std::string pen = "none";
  std::size_t at = 0;
  while (at < svg.size()) {
    const std::size_t end = svg.find('\n', at);
    const std::string line = svg.substr(at, end - at);
    at = end == std::string::npos ? svg.size() : end + 1;
    char cls[32] = {}, fill[8] = {};
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0, used = 0;
    char element[160];
    if (std::sscanf(line.c_str(), "<g class=\"%31[a-z-]\"", cls) == 1) {
      pen = cls;
    } else if (line == "</g>") {
      pen = "none";
    } else if (std::sscanf(line.c_str(), "<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\"/>%n", &x1,
                           &y1, &x2, &y2, &used) == 4 &&
               static_cast<std::size_t>(used) == line.size()) {
      std::snprintf(element, sizeof element, "line %s %d %d %d %d", pen.c_str(), x1, y1, x2, y2);
      out.push_back(element);
    } else if (std::sscanf(line.c_str(),
                           "<text x=\"%d\" y=\"%d\" font-size=\"10\" font-weight=\"bold\" "
                           "fill=\"#%6[0-9a-f]\">%n",
                           &x1, &y1, fill, &used) == 3 &&
               line.size() >= static_cast<std::size_t>(used) + 7 &&
               line.substr(line.size() - 7) == "</text>") {
      std::snprintf(element, sizeof element, "text %d %d #%s %s", x1, y1, fill,
                    line.substr(used, line.size() - 7 - used).c_str());
      out.push_back(element);
    } else if (line.rfind("<line", 0) == 0 || line.rfind("<text", 0) == 0) {
      out.push_back("unreadable: " + line);
    }
  }
  return out;
}

TEST(ChartSvg, SameElementsAtTheSameCoordinatesAsTheDrawingList) {
  // Two channels, three slots: A 23, 24, -13 degrees; B -1, 125, -128.
  const uint16_t words[] = {0x0171, 0xFFF0, 0x0178, 0x07D0, 0xFF48, 0x0800};
  auto samples = std::make_unique<SampleBuffer>();
  for (std::size_t i = 0; i < 6; ++i) {
    samples->bytes[2 * i] = static_cast<uint8_t>(words[i]);
    samples->bytes[2 * i + 1] = static_cast<uint8_t>(words[i] >> 8);
  }
  samples->n = 12;
  const ChartInputs in{samples.get(), 2, 0, true, true, true, true};
  auto picture = std::make_unique<ChartPicture>();
  BuildChart(in, *picture);
  StringSink sink;
  WriteChartSvg(in, sink);
  const std::string& svg = sink.text;

  const auto expected = ExpectedElements(picture->View());
  EXPECT_EQ(expected.size(), 34u + 49 + 8 * 2 + 11 + 2 + 11 + 2 * 5);
  EXPECT_EQ(SvgElements(svg), expected);

  // A whole document on the client area's canvas and its grey, whole-pixel lines, the row
  // labels' spaces kept, pens as styled.
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
  EXPECT_NE(svg.find("width=\"594\" height=\"393\""), std::string::npos);
  EXPECT_NE(svg.find("xml:space=\"preserve\""), std::string::npos);
  EXPECT_NE(svg.find("shape-rendering=\"crispEdges\""), std::string::npos);
  EXPECT_NE(svg.find("<rect x=\"0\" y=\"0\" width=\"594\" height=\"393\" fill=\"#d4d0c8\"/>"),
            std::string::npos);
  EXPECT_NE(svg.find(">   0</text>"), std::string::npos);
  EXPECT_NE(svg.find("class=\"reference\" stroke=\"#000000\" stroke-width=\"1\" "
                     "stroke-dasharray=\"3 3\" fill=\"none\""),
            std::string::npos);
  EXPECT_NE(svg.find("class=\"fine\" stroke=\"#ffffff\" stroke-width=\"1\" "
                     "stroke-dasharray=\"3 3\" fill=\"none\""),
            std::string::npos);
  EXPECT_NE(svg.find("class=\"trace-a\" stroke=\"#ff0000\" stroke-width=\"2\" fill=\"none\""),
            std::string::npos);
  EXPECT_NE(svg.find("class=\"trace-b\" stroke=\"#0000ff\" stroke-width=\"2\" fill=\"none\""),
            std::string::npos);
}

}  // namespace
}  // namespace zv
