#include "cli/picture_output.h"

#include <cstdio>
#include <string>

#include "cli/exit_codes.h"
#include "picture/picture_cairo.h"
#include "picture/picture_svg.h"
#include "samples/export_messages.h"
#include "zv_version.h"

namespace zv::cli {

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view ending) {
  if (text.size() < ending.size()) return false;
  const std::string_view tail = text.substr(text.size() - ending.size());
  for (std::size_t i = 0; i < ending.size(); ++i) {
    const char c =
        tail[i] >= 'A' && tail[i] <= 'Z' ? static_cast<char>(tail[i] - 'A' + 'a') : tail[i];
    if (c != ending[i]) return false;
  }
  return true;
}

}  // namespace

PictureFormat FormatOfOutput(std::string_view path) {
  if (EndsWithNoCase(path, ".png")) return PictureFormat::Png;
  if (EndsWithNoCase(path, ".pdf")) return PictureFormat::Pdf;
  return PictureFormat::Svg;
}

bool CanWrite(PictureFormat format) {
  return format == PictureFormat::Svg || PictureCairoAvailable();
}

int CheckCanDraw(PictureFormat format, const char* command) {
  if (format == PictureFormat::Svg) return kExitOk;
  if (!CanWrite(format)) {
    std::fprintf(stderr, "zorvant-cli %s: %s\n", command, kNeedsCairo);
    return kExitUsage;
  }
  std::string why;
  const bool ready = PictureFontsReady(why);
  // Found now, loaded again to draw: nothing is held while the command may end another way.
  ReleasePictureCaches();
  if (ready) return kExitOk;
  std::fprintf(stderr,
               "zorvant-cli %s: PNG and PDF are drawn in DejaVu Sans, and %s; install it "
               "(Debian: fonts-dejavu-core), or write SVG\n",
               command, why.c_str());
  return kExitNoTypeface;
}

bool WritePicture(PictureFormat format, const PictureView& picture, ByteSink& sink,
                  std::string_view title) {
  switch (format) {
    case PictureFormat::Png:
      return WritePicturePng(picture, sink);
    case PictureFormat::Pdf:
      return WritePicturePdf(picture, sink,
                             {std::string(title), std::string("zorvant-cli ") + kZorvantVersion});
    case PictureFormat::Svg:
      break;
  }
  WritePictureSvg(picture, sink);
  return true;
}

int FinishPictureFile(bool drawn, const char* drawFailure, OutputFile& file,
                      MessageScreen& screen) {
  if (!drawn) {
    std::fprintf(stderr, "%s\n", drawFailure);
    return kExitFileNotWritten;
  }
  if (!file.Commit()) {
    screen.ShowMessage(msg::kCannotSave.c_str(), MessageIcon::Exclamation);
    return kExitFileNotWritten;
  }
  return kExitOk;
}

}  // namespace zv::cli
