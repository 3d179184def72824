// The values of the text export's header lines ("Logger_ID", "Pomiar co:", "STATUS", ...) as
// the file states them, found by their labels, so that what is made from an export (a chart,
// a report) can say what the logger said when it was read.
#pragma once

#include <cstddef>
#include <string_view>

namespace zv {

// Windows-1250 values as written, trailing spaces kept; empty when the line is missing.
struct ExportHeader {
  std::string_view identifier;
  std::string_view startDelay;
  std::string_view interval;
  std::string_view duration;
  std::string_view count;
  std::string_view source;
  std::string_view status;
};

// The value after `label` and its two tabs on one of the header's lines; false when no header
// line carries the label. Reads nothing outside the `length` bytes given; the value points
// into them.
bool ExportHeaderValue(const char* bytes, std::size_t length, std::string_view label,
                       std::string_view& value);

// Every labelled value of the header; the fields of missing lines stay empty.
ExportHeader ReadExportHeader(const char* bytes, std::size_t length);

}  // namespace zv
