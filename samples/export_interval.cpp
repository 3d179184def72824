#include "samples/export_interval.h"

#include <string_view>

#include "samples/export_header.h"
#include "samples/field_labels.h"
#include "samples/sample_interval.h"

namespace zv {

bool ExportIntervalSeconds(const char* bytes, std::size_t length, uint32_t& seconds) {
  std::string_view value;
  if (!ExportHeaderValue(bytes, length, kIntervalField.view(), value)) return false;
  for (std::size_t k = 0; k < IntervalTexts.kCount; ++k) {
    if (value == std::string_view(IntervalTexts.Entry(k) + 1, IntervalTexts.kWidth - 1)) {
      return IntervalSeconds(static_cast<uint8_t>(k), seconds);
    }
  }
  return false;
}

}  // namespace zv
