// The cairo player: a picture as a PNG image or a PDF document, its texts in DejaVu Sans.
// PNG: pixel pictures 1:1, point pictures at 96 pixels an inch, pages one below the other.
// PDF: one A4 page for each page of the picture; a point picture is placed 1:1 on a page of
// its own size, a pixel picture is fitted whole inside a half-inch margin (landscape when it
// is wider than tall). The fonts are embedded. A build without cairo links
// picture_cairo_none.cpp instead, which writes nothing.
#pragma once

#include <string>

#include "base/byte_sink.h"
#include "picture/picture.h"

namespace zv {

// False in a build without cairo: then the two writers below write nothing and fail.
bool PictureCairoAvailable();

// True when DejaVu Sans and DejaVu Sans Bold themselves can be drawn with; else false with why
// (the writers below then refuse to draw rather than take another face).
bool PictureFontsReady(std::string& why);

// Each writes a whole file to the sink; false when cairo failed (or the picture is too large
// to be an image: over 16384 pixels a side or 64 megapixels), with nothing or a part written.
bool WritePicturePng(const PictureView& picture, ByteSink& sink);
// What a PDF says of itself (pdfinfo's Title, Creator and Keywords); cairo adds the creation
// date.
struct PdfInfo {
  std::string title;     // UTF-8
  std::string creator;   // the program and its version
  std::string keywords;  // for programs that read the file back, such as a report's request
};
bool WritePicturePdf(const PictureView& picture, ByteSink& sink, const PdfInfo& info = {});

// cairo, FreeType and fontconfig keep their font caches for the life of the process; a program
// calls this once it has drawn its last picture (with no cairo object left), so nothing is left
// behind for the leak checker.
void ReleasePictureCaches();

}  // namespace zv
