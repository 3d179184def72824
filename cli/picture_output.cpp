#include "cli/picture_output.h"

#include <cstdio>
#include <string>

#include "cli/exit_codes.h"
#include "cli/output_format.h"
#include "picture/picture_cairo.h"
#include "picture/picture_svg.h"
#include "samples/export_messages.h"
#include "zv_version.h"

namespace zv::cli {

PictureFormat FormatOfOutput(std::string_view path) {
  // Any name but .png or .pdf is drawn as SVG, standard output's '-' too.
  switch (OutputFormatOf(path)) {
    case OutputFormat::Png:
      return PictureFormat::Png;
    case OutputFormat::Pdf:
      return PictureFormat::Pdf;
    default:
      return PictureFormat::Svg;
  }
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
                  std::string_view title, std::string_view keywords) {
  switch (format) {
    case PictureFormat::Png:
      return WritePicturePng(picture, sink);
    case PictureFormat::Pdf:
      return WritePicturePdf(picture, sink,
                             {std::string(title), std::string("zorvant-cli ") + kZorvantVersion,
                              std::string(keywords)});
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
