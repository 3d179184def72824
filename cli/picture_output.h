// The picture file a chart command writes, chosen by the output's extension: .png and .pdf
// through cairo (in builds that have it), SVG for anything else, standard output included.
#pragma once

#include <string_view>

#include "base/byte_sink.h"
#include "base/message_screen.h"
#include "cli/output_file.h"
#include "picture/picture.h"

namespace zv::cli {

enum class PictureFormat { Svg, Png, Pdf };

PictureFormat FormatOfOutput(std::string_view path);

// False when this build cannot write the format (PNG or PDF without cairo).
bool CanWrite(PictureFormat format);

inline constexpr char kNeedsCairo[] =
    "PNG and PDF need a build of zorvant-cli with cairo; this one writes SVG only (-o FILE.svg)";

// Before anything is sent: kExitOk when this build can draw `format`, else the reason on
// stderr and the exit code (kExitUsage without cairo, kExitNoTypeface without DejaVu Sans).
int CheckCanDraw(PictureFormat format, const char* command);

// Writes the whole picture; false when the player failed. A PDF is titled `title`, names
// zorvant-cli and its version as its creator, and carries `keywords` when given.
bool WritePicture(PictureFormat format, const PictureView& picture, ByteSink& sink,
                  std::string_view title, std::string_view keywords = {});

// Ends a command that drew into `file`: `drawFailure` on standard error when the player failed,
// the program's "cannot save" when the file could not be put in place; the exit code.
int FinishPictureFile(bool drawn, const char* drawFailure, OutputFile& file, MessageScreen& screen);

}  // namespace zv::cli
