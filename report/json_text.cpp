#include "report/json_text.h"

#include <cstdio>

#include "base/safe_text.h"

namespace zv {

std::string JsonString(std::string_view utf8) {
  // Appended, not "\"" + text: GCC 12 takes that for an overlapping copy (-Wrestrict).
  std::string out;
  out += '"';
  out += SafeText(utf8, TextSource::Utf8, SafeStyle::Json);
  out += '"';
  return out;
}

std::string JsonFixed(int64_t scaled, int decimals) {
  int64_t unit = 1;
  for (int i = 0; i < decimals; ++i) unit *= 10;
  const uint64_t magnitude = scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : scaled;
  char text[48];
  if (decimals == 0) {
    std::snprintf(text, sizeof text, "%s%llu", scaled < 0 ? "-" : "",
                  static_cast<unsigned long long>(magnitude));
  } else {
    std::snprintf(text, sizeof text, "%s%llu.%0*llu", scaled < 0 ? "-" : "",
                  static_cast<unsigned long long>(magnitude / unit), decimals,
                  static_cast<unsigned long long>(magnitude % unit));
  }
  return text;
}

}  // namespace zv
