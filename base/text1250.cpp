#include "base/text1250.h"

namespace zv {

std::size_t Cp1250ToUtf8(std::string_view in, char* out, std::size_t capacity) {
  if (capacity == 0) return 0;
  std::size_t used = 0;
  for (char c : in) {
    if (c == '\0') break;
    const char32_t cp = Cp1250ToUnicode(static_cast<unsigned char>(c));
    char enc[3];
    std::size_t len;
    if (cp < 0x80) {
      enc[0] = static_cast<char>(cp);
      len = 1;
    } else if (cp < 0x800) {
      enc[0] = static_cast<char>(0xC0 | (cp >> 6));
      enc[1] = static_cast<char>(0x80 | (cp & 0x3F));
      len = 2;
    } else {
      enc[0] = static_cast<char>(0xE0 | (cp >> 12));
      enc[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      enc[2] = static_cast<char>(0x80 | (cp & 0x3F));
      len = 3;
    }
    if (used + len + 1 > capacity) break;
    for (std::size_t k = 0; k < len; ++k) out[used++] = enc[k];
  }
  out[used] = '\0';
  return used;
}

}  // namespace zv
