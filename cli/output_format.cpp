#include "cli/output_format.h"

#include <cstddef>

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

struct Extension {
  std::string_view ending;
  OutputFormat format;
};

constexpr Extension kExtensions[] = {
    {".svg", OutputFormat::Svg},   {".png", OutputFormat::Png},  {".pdf", OutputFormat::Pdf},
    {".json", OutputFormat::Json}, {".txt", OutputFormat::Text}, {".csv", OutputFormat::Csv},
};

}  // namespace

OutputFormat OutputFormatOf(std::string_view path) {
  for (const Extension& extension : kExtensions) {
    if (EndsWithNoCase(path, extension.ending)) return extension.format;
  }
  return OutputFormat::None;
}

}  // namespace zv::cli
