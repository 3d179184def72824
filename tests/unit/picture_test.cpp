#include "picture/picture.h"

#include <gtest/gtest.h>

#include <string>

#include "base/safe_text.h"
#include "picture/picture_svg.h"
#include "tests/support/string_sink.h"

namespace zv {
namespace {

TEST(Picture, TextsKeepWholeValidCharactersOnly) {
  struct Case {
    std::string in;
    std::size_t capacity;
    std::string out;
  } cases[] = {
      {"Chłodnia 3", 64, "Chłodnia 3"},
      {"a\x01"
       "b\x7f",
       64, "a?b?"},                           // controls
      {"\xC3(\xFF", 64, "?(?"},               // a broken sequence, a byte never in UTF-8
      {"\xC0\xAF\xED\xA0\x80", 64, "?????"},  // overlong '/', a surrogate
      {"\xEF\xBF\xBF", 64, "?"},              // U+FFFF, not a character
      {"zażółć", 3, "za"},                    // cut before a character that would not fit
      {"\xF0\x9F\x98\x80!", 5, "\xF0\x9F\x98\x80!"},
  };
  for (const Case& c : cases) {
    char out[64];
    const std::size_t n =
        WriteSafeText(c.in, TextSource::Utf8, SafeStyle::Picture, out, c.capacity);
    EXPECT_EQ(std::string(out, n), c.out) << c.in;
  }
}

TEST(PictureSvg, NumbersPagesTextsAndPolylines) {
  struct Case {
    float value;
    const char* text;
  } numbers[] = {{0, "0"}, {-0.004f, "0"}, {12.5f, "12.5"}, {-3.25f, "-3.25"}, {1e9f, "10000000"}};
  for (const Case& c : numbers) {
    char out[16];
    EXPECT_EQ(std::string(out, SvgNumber(c.value, out)), c.text);
  }

  GrowingPicture picture;
  PictureHeader header;
  header.width = 200;
  header.height = 100;
  header.unit = PictureUnit::Point;
  picture.Begin(header);
  PictureDraw draw(picture);
  draw.Pen(0x0000FF, 1.5f, 0, 0, "trace a<");
  draw.MoveTo(1, 2);
  draw.LineTo(3, 4);
  draw.LineTo(5, 6);
  draw.Text(10, 20, "<A & B>", {8, TextWeight::Bold, TextAnchor::End, 0xFF0000});
  draw.NewPage();
  draw.Line(0, 0, 10, 10);
  test::StringSink sink;
  WritePictureSvg(picture.View(), sink);
  const std::string& svg = sink.text;
  EXPECT_NE(svg.find("width=\"200pt\" height=\"200pt\" viewBox=\"0 0 200 200\""),
            std::string::npos);
  EXPECT_NE(svg.find("<g class=\"tracea\" stroke=\"#ff0000\" stroke-width=\"1.5\" fill=\"none\">\n"
                     "<polyline points=\"1,2 3,4 5,6\"/>\n</g>\n"),
            std::string::npos);
  EXPECT_NE(svg.find("<text x=\"10\" y=\"20\" font-size=\"8\" font-weight=\"bold\" "
                     "text-anchor=\"end\" fill=\"#0000ff\">&lt;A &amp; B&gt;</text>"),
            std::string::npos);
  EXPECT_NE(svg.find("<g transform=\"translate(0 100)\">\n<g class=\"tracea\" stroke=\"#ff0000\""),
            std::string::npos);
  EXPECT_EQ(svg.substr(svg.size() - 17), "</g>\n</g>\n</svg>\n");
}

}  // namespace
}  // namespace zv
