// The SVG player: a picture's steps as one SVG document, element by element as they come.
// Allocates nothing: each element is formatted in a fixed buffer and handed to the sink.
#pragma once

#include "base/byte_sink.h"
#include "picture/picture.h"

namespace zv {

class SvgPicturePlayer final : public PictureSink {
 public:
  explicit SvgPicturePlayer(ByteSink& out) : out_(out) {}

  void Begin(const PictureHeader& header) override;  // the document's head
  void Add(const PictureStep& step) override;
  void Finish();  // closes what is open and the document

 private:
  template <typename... Args>
  void Print(const char* format, Args... args);
  void Put(std::string_view text);
  void OpenPenGroup();
  void ClosePenGroup();
  void EndPolyline();
  void WriteText(const PictureStep& step);
  void WriteFill(const PictureStep& step);
  void StartPage();

  ByteSink& out_;
  PictureHeader header_;
  PictureStep pen_;       // the pen in force
  bool penOpen_ = false;  // a <g> with the pen's stroke is open
  bool inPolyline_ = false;
  bool pageOpen_ = false;  // a page's <g transform> is open (pages after the first)
  uint16_t page_ = 0;
};

// The whole picture, its pages counted first so the canvas holds them all.
void WritePictureSvg(const PictureView& picture, ByteSink& sink);

// A coordinate as SVG writes it: at most two decimals, no trailing zeros, never a comma.
// Returns its length; `out` holds at least 16 bytes.
std::size_t SvgNumber(float value, char* out);

}  // namespace zv
