#include "report/json_text.h"

#include <cstdio>

#include "report/text_width.h"

namespace zv {

std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    const std::size_t length = DecodeCharacter(utf8, i, cp);
    if (length == 0) {
      out += "\\ufffd";
      ++i;
      continue;
    }
    if (cp == '"' || cp == '\\') {
      out += '\\';
      out += static_cast<char>(cp);
    } else if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(cp));
      out += escape;
    } else {
      out.append(utf8.substr(i, length));
    }
    i += length;
  }
  return out + "\"";
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
