// The cairo player of a build without cairo: SVG is the only picture it writes.
#include "picture/picture_cairo.h"

namespace zv {

bool PictureCairoAvailable() {
  return false;
}

bool PictureFontsReady(std::string& why) {
  why = "this build draws no PNG or PDF";
  return false;
}

bool WritePicturePng(const PictureView&, ByteSink&) {
  return false;
}

bool WritePicturePdf(const PictureView&, ByteSink&, const PdfInfo&) {
  return false;
}

void ReleasePictureCaches() {}

}  // namespace zv
