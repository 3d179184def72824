// A picture as a list of drawing steps: pens, lines, polylines, filled rectangles, texts and
// pages. Portable code builds every coordinate; the players (GDI in the program's windows,
// SVG, cairo's PNG and PDF) only play the steps, each in its own medium.
//
// Units: a pixel picture (the window chart, the overview) is played 1:1 into SVG and PNG and
// fitted, whole, onto an A4 page of a PDF; a point picture (1/72 inch; a report page) is
// played 1:1 into PDF, into SVG with its size in points, and into PNG at 96 pixels an inch.
//
// Storage: a builder writes into a PictureSink. FixedPicture<N> keeps the steps in fixed
// storage for a picture whose longest list is known (the windows' pictures, the overview);
// GrowingPicture keeps them in a vector for one that is not (a report of several pages); a
// player can also take the steps as they come, with nothing kept (the window chart's SVG).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/safe_text.h"

namespace zv {

enum class PictureUnit : uint8_t { Pixel, Point };

// A4 in points (1/72 inch).
inline constexpr double kA4ShortSide = 595.276;
inline constexpr double kA4LongSide = 841.89;

// Past this a coordinate means nothing on any page; the players clamp to it, which keeps a
// number's digits and a device's arithmetic bounded.
inline constexpr float kLargestCoordinate = 1e7f;

// Colours are 0x00BBGGRR, as the window system takes them.
constexpr uint32_t Rgb(uint8_t red, uint8_t green, uint8_t blue) {
  return uint32_t{red} | uint32_t{green} << 8 | uint32_t{blue} << 16;
}
inline constexpr uint32_t kBlack = Rgb(0, 0, 0);
inline constexpr uint32_t kWhite = Rgb(0xFF, 0xFF, 0xFF);

// The typeface a text asks for. PNG and PDF always draw DejaVu Sans, which has every Polish
// letter and in which every text of a page is measured; an SVG asks for the face first and
// DejaVu Sans after it; a window draws in the face it created.
enum class TypeFace : uint8_t { DejaVuSans, Tahoma, Arial };

struct PictureHeader {
  float width = 0;  // of one page, in units
  float height = 0;
  PictureUnit unit = PictureUnit::Pixel;
  TypeFace face = TypeFace::DejaVuSans;  // of the texts that name no other
  bool crispEdges = false;  // lines and fills on whole pixels, unsmoothed, as GDI draws them
  // Pages an SVG makes room for, one below the other; WritePictureSvg counts them itself.
  uint16_t pages = 1;
};

enum class PictureStepKind : uint8_t {
  Pen,       // color, size (width), dashOn/dashOff (0: solid), text: an optional name
  Line,      // from (x, y) to (x2, y2) with the pen
  MoveTo,    // starts a polyline at (x, y)
  LineTo,    // continues it to (x, y); the polyline ends at the next step of another kind
  FillRect,  // corners (x, y) and (x2, y2), color at alpha (255: opaque)
  Text,      // text at (x, y): the baseline, placed by the anchor; size is the em, in face
  NewPage,
};

enum class TextWeight : uint8_t { Regular, Bold };
enum class TextAnchor : uint8_t { Start, Middle, End };

// UTF-8 bytes a text step holds; a longer text is cut before a whole character.
inline constexpr std::size_t kPictureTextCapacity = 64;

struct PictureStep {
  PictureStepKind kind = PictureStepKind::Line;
  TextWeight weight = TextWeight::Regular;
  TextAnchor anchor = TextAnchor::Start;
  TypeFace face = TypeFace::DejaVuSans;
  uint8_t alpha = 255;
  uint8_t length = 0;  // bytes of text
  uint32_t color = 0;  // 0x00BBGGRR
  float x = 0;
  float y = 0;
  float x2 = 0;
  float y2 = 0;
  float size = 0;
  float dashOn = 0;
  float dashOff = 0;
  char text[kPictureTextCapacity] = {};  // not NUL-terminated

  std::string_view Text() const;  // bounded by the capacity whatever `length` says
};

class PictureSink {
 public:
  virtual void Begin(const PictureHeader& header) = 0;
  virtual void Add(const PictureStep& step) = 0;

 protected:
  ~PictureSink() = default;
};

struct PictureView {
  PictureHeader header;
  const PictureStep* steps = nullptr;
  std::size_t count = 0;
};

// Plays a kept picture into a sink: Begin, then every step in order.
void Replay(const PictureView& picture, PictureSink& sink);

template <std::size_t Capacity>
class FixedPicture final : public PictureSink {
 public:
  static constexpr std::size_t kCapacity = Capacity;
  void Begin(const PictureHeader& h) override {
    header = h;
    count = 0;
    dropped = 0;
  }
  // Past the capacity a step is dropped and counted, never written over another.
  void Add(const PictureStep& step) override {
    if (count < Capacity) {
      steps[count++] = step;
    } else {
      ++dropped;
    }
  }
  PictureView View() const { return {header, steps, count}; }

  PictureHeader header;
  PictureStep steps[Capacity];
  std::size_t count = 0;
  std::size_t dropped = 0;
};

class GrowingPicture final : public PictureSink {
 public:
  void Begin(const PictureHeader& h) override {
    header = h;
    steps.clear();
  }
  void Add(const PictureStep& step) override { steps.push_back(step); }
  PictureView View() const { return {header, steps.data(), steps.size()}; }

  PictureHeader header;
  std::vector<PictureStep> steps;
};

struct TextStyle {
  float size = 10;
  TextWeight weight = TextWeight::Regular;
  TextAnchor anchor = TextAnchor::Start;
  uint32_t color = kBlack;
  TypeFace face = TypeFace::DejaVuSans;
};

// A text step, as PictureDraw::Text adds it; for a builder that writes a kept step again.
PictureStep MakeTextStep(float x, float y, std::string_view text, const TextStyle& style,
                         TextSource source = TextSource::Utf8);

// What a builder draws with: each call adds one step to the sink.
class PictureDraw {
 public:
  explicit PictureDraw(PictureSink& sink) : sink_(sink) {}

  void Pen(uint32_t color, float width, float dashOn = 0, float dashOff = 0,
           std::string_view name = {});
  void Line(float x1, float y1, float x2, float y2);
  void MoveTo(float x, float y);
  void LineTo(float x, float y);
  void Fill(float x1, float y1, float x2, float y2, uint32_t color, uint8_t alpha = 255);
  // UTF-8, or the Windows-1250 of a logger's field (up to its NUL); cut to a step's capacity.
  void Text(float x, float y, std::string_view text, const TextStyle& style,
            TextSource source = TextSource::Utf8);
  void NewPage();

 private:
  PictureStep& Start(PictureStepKind kind);
  PictureStep step_;
  PictureSink& sink_;
};

}  // namespace zv
