#include "samples/export_header.h"

#include "samples/field_labels.h"

namespace zv {

bool ExportHeaderValue(const char* bytes, std::size_t length, std::string_view label,
                       std::string_view& value) {
  const std::string_view text(bytes, bytes == nullptr ? 0 : length);
  std::size_t at = 0;
  for (std::size_t line = 0; line < kHeaderLines && at < text.size(); ++line) {
    const std::size_t end = text.find('\n', at);
    std::string_view current = text.substr(at, end == std::string_view::npos ? end : end - at);
    at = end == std::string_view::npos ? text.size() : end + 1;
    if (!current.empty() && current.back() == '\r') current.remove_suffix(1);
    if (current.substr(0, label.size()) != label || current.substr(label.size(), 2) != "\t\t") {
      continue;
    }
    value = current.substr(label.size() + 2);
    return true;
  }
  return false;
}

ExportHeader ReadExportHeader(const char* bytes, std::size_t length) {
  ExportHeader header;
  const auto take = [&](std::string_view label, std::string_view& value) {
    if (!ExportHeaderValue(bytes, length, label, value)) value = {};
  };
  take(kLoggerIdField.view(), header.identifier);
  take(kStartField.view(), header.startDelay);
  take(kIntervalField.view(), header.interval);
  take(kDurationField.view(), header.duration);
  take(kCountField.view(), header.count);
  take(kSourceField.view(), header.source);
  take(kStatusField.view(), header.status);
  return header;
}

}  // namespace zv
