#include "samples/export_interval.h"

#include <string_view>

#include "samples/field_labels.h"
#include "samples/sample_interval.h"

namespace zv {

namespace {

// The export's header: the interval is on its fifth line, looked for among all eleven.
constexpr std::size_t kHeaderLines = 11;

}  // namespace

bool ExportIntervalSeconds(const char* bytes, std::size_t length, uint32_t& seconds) {
  const std::string_view text(bytes, length);
  const std::string_view label = kIntervalField.view();
  std::size_t at = 0;
  for (std::size_t line = 0; line < kHeaderLines && at < text.size(); ++line) {
    const std::size_t end = text.find('\n', at);
    std::string_view current = text.substr(at, end == std::string_view::npos ? end : end - at);
    at = end == std::string_view::npos ? text.size() : end + 1;
    if (!current.empty() && current.back() == '\r') current.remove_suffix(1);
    if (current.substr(0, label.size()) != label || current.substr(label.size(), 2) != "\t\t") {
      continue;
    }
    const std::string_view value = current.substr(label.size() + 2);
    for (std::size_t k = 0; k < IntervalTexts.kCount; ++k) {
      if (value == std::string_view(IntervalTexts.Entry(k) + 1, IntervalTexts.kWidth - 1)) {
        return IntervalSeconds(static_cast<uint8_t>(k), seconds);
      }
    }
    return false;
  }
  return false;
}

}  // namespace zv
