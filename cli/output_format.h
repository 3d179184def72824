// The format an output file is written in, by its extension: one resolver for pictures,
// reports and exports, so every command reads ".PDF" as ".pdf" the same way.
#pragma once

#include <string_view>

namespace zv::cli {

enum class OutputFormat { Svg, Png, Pdf, Json, Text, Csv, None };

// By the path's extension, in any case; None for an extension no command writes.
OutputFormat OutputFormatOf(std::string_view path);

}  // namespace zv::cli
