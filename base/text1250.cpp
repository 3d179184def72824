#include "base/text1250.h"

#include "base/safe_text.h"

namespace zv {

Cp1250Conversion Utf8ToCp1250(std::string_view utf8, bool allowControls, char* out,
                              std::size_t capacity, std::size_t& length,
                              std::string_view& culprit) {
  length = 0;
  if (capacity > 0) out[0] = '\0';
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t start = i;
    const long cp = DecodeUtf8(utf8.data(), utf8.size(), i);
    culprit = utf8.substr(start, i - start);
    if (cp < 0) return Cp1250Conversion::Malformed;
    const int byte = UnicodeToCp1250(static_cast<char32_t>(cp));
    if (byte < 0) return Cp1250Conversion::NoCp1250Byte;
    if (!allowControls && IsUnsafeCharacter(static_cast<char32_t>(cp))) {
      return Cp1250Conversion::Control;
    }
    if (length + 1 < capacity) {
      out[length] = static_cast<char>(byte);
      out[length + 1] = '\0';
    }
    ++length;
  }
  return length < capacity ? Cp1250Conversion::Ok : Cp1250Conversion::TooLong;
}

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
