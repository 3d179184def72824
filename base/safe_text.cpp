#include "base/safe_text.h"

#include <cstdio>

#include "base/text1250.h"

namespace zv {

namespace {

std::size_t Utf8Of(char32_t cp, char (&form)[kSafeFormCapacity]) {
  if (cp < 0x80) {
    form[0] = static_cast<char>(cp);
    return 1;
  }
  const std::size_t length = cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
  const unsigned lead[] = {0, 0, 0xC0, 0xE0, 0xF0};
  for (std::size_t k = length - 1; k > 0; --k) {
    form[k] = static_cast<char>(0x80 | (cp & 0x3F));
    cp >>= 6;
  }
  form[0] = static_cast<char>(lead[length] | cp);
  return length;
}

std::size_t Printed(char (&form)[kSafeFormCapacity], const char* format, unsigned value) {
  const int length = std::snprintf(form, sizeof form, format, value);
  return length > 0 ? static_cast<std::size_t>(length) : 0;
}

// The form of an unsafe character; `wholeByte` when it stands for one byte of the text (any
// character of a Windows-1250 text, or an ASCII control of a UTF-8 one).
std::size_t UnsafeForm(char32_t cp, bool wholeByte, SafeStyle style,
                       char (&form)[kSafeFormCapacity]) {
  switch (style) {
    case SafeStyle::Picture:
      form[0] = '?';
      return 1;
    case SafeStyle::Json:
      return Printed(form, "\\u%04x", static_cast<unsigned>(cp));
    case SafeStyle::Terminal:
    case SafeStyle::Message:
    case SafeStyle::Echo:
      break;
  }
  return Printed(form, wholeByte ? "\\x%02x" : "\\u%04x", static_cast<unsigned>(cp));
}

// The form of a byte that does not begin a valid UTF-8 sequence.
std::size_t InvalidByteForm(unsigned char byte, SafeStyle style, char (&form)[kSafeFormCapacity]) {
  switch (style) {
    case SafeStyle::Picture:
      form[0] = '?';
      return 1;
    case SafeStyle::Json:
      return Printed(form, "\\u%04x", 0xFFFD);
    case SafeStyle::Terminal:
    case SafeStyle::Message:
    case SafeStyle::Echo:
      break;
  }
  return Printed(form, "\\x%02x", byte);
}

}  // namespace

std::size_t NextSafeForm(std::string_view in, std::size_t& i, TextSource source, SafeStyle style,
                         char (&form)[kSafeFormCapacity]) {
  if (style == SafeStyle::Message && in[i] == '\r' && i + 1 < in.size() && in[i + 1] == '\n') {
    i += 2;
    form[0] = '\n';
    return 1;
  }
  const std::size_t start = i;
  char32_t cp = 0;
  if (source == TextSource::Cp1250) {
    cp = Cp1250ToUnicode(static_cast<unsigned char>(in[i++]));
  } else {
    const long decoded = DecodeUtf8(in.data(), in.size(), i);
    if (decoded < 0) return InvalidByteForm(static_cast<unsigned char>(in[start]), style, form);
    cp = static_cast<char32_t>(decoded);
  }
  if (IsUnsafeCharacter(cp)) {
    return UnsafeForm(cp, source == TextSource::Cp1250 || cp < 0x80, style, form);
  }
  const bool escapeBackslash =
      style == SafeStyle::Terminal || style == SafeStyle::Message || style == SafeStyle::Json;
  if ((cp == '\\' && escapeBackslash) || (cp == '"' && style == SafeStyle::Json)) {
    form[0] = '\\';
    form[1] = static_cast<char>(cp);
    return 2;
  }
  return Utf8Of(cp, form);
}

std::size_t WriteSafeText(std::string_view in, TextSource source, SafeStyle style, char* out,
                          std::size_t capacity) {
  std::size_t used = 0;
  for (std::size_t i = 0; i < in.size();) {
    if (source == TextSource::Cp1250 && in[i] == '\0') break;
    char form[kSafeFormCapacity];
    const std::size_t length = NextSafeForm(in, i, source, style, form);
    if (used + length > capacity) break;
    for (std::size_t k = 0; k < length; ++k) out[used++] = form[k];
  }
  return used;
}

std::string SafeText(std::string_view in, TextSource source, SafeStyle style) {
  std::string out;
  out.reserve(in.size());
  for (std::size_t i = 0; i < in.size();) {
    if (source == TextSource::Cp1250 && in[i] == '\0') break;
    char form[kSafeFormCapacity];
    out.append(form, NextSafeForm(in, i, source, style, form));
  }
  return out;
}

}  // namespace zv
