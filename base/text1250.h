// Windows-1250 text: every text the program shows, sends or writes is kept in this code page.
// Literals are written readably in UTF-8 and converted at compile time; a character that
// Windows-1250 cannot hold stops the build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zv {

// Unicode code points of the bytes 0x80..0xFF. The five bytes the code page leaves unassigned
// (0x81 0x83 0x88 0x90 0x98) stand for the C1 controls of the same value, as Windows decodes
// them, so that two different identifiers never read alike.
inline constexpr char16_t kCp1250High[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// The code point a Windows-1250 byte stands for; every byte has one.
constexpr char32_t Cp1250ToUnicode(unsigned char byte) {
  return byte < 0x80 ? char32_t{byte} : char32_t{kCp1250High[byte - 0x80]};
}

// The Windows-1250 byte of a code point, or -1 when the code page has none (U+FFFD included).
constexpr int UnicodeToCp1250(char32_t cp) {
  if (cp < 0x80) return static_cast<int>(cp);
  for (int i = 0; i < 128; ++i) {
    if (kCp1250High[i] == cp) return 0x80 + i;
  }
  return -1;
}

// A fixed Windows-1250 text with its terminating NUL; N bounds the UTF-8 source, so it always fits.
template <std::size_t N>
struct Text1250 {
  char bytes[N]{};
  std::size_t length = 0;
  constexpr const char* c_str() const { return bytes; }
  constexpr std::string_view view() const { return {bytes, length}; }
};

// The one UTF-8 decoder of the tree: the code point of the sequence at text[i], advancing i
// past it; -1 for a sequence that is malformed, cut short, overlong, a surrogate or beyond
// U+10FFFF (i then advances past its lead byte). Works at compile time, on char and char8_t.
template <typename Char>
constexpr long DecodeUtf8(const Char* text, std::size_t size, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned>(text[k]) & 0xFF; };
  const std::size_t start = i;
  const unsigned lead = byte(i++);
  if (lead < 0x80) return static_cast<long>(lead);
  if (lead < 0xC2 || lead > 0xF4) return -1;
  const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
  long cp = lead & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= size || (byte(i) & 0xC0) != 0x80) {
      i = start + 1;
      return -1;
    }
    cp = (cp << 6) | (byte(i++) & 0x3F);
  }
  const long shortest = extra == 2 ? 0x800 : extra == 3 ? 0x10000 : 0x80;
  if (cp < shortest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    i = start + 1;
    return -1;
  }
  return cp;
}

// The characters of a UTF-8 text, as a terminal's columns count them for Latin text: one for
// each sequence, and one for each byte that is not part of one.
constexpr std::size_t Utf8Characters(std::string_view utf8) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < utf8.size(); ++count) DecodeUtf8(utf8.data(), utf8.size(), i);
  return count;
}

template <std::size_t N>
consteval Text1250<N> Cp1250(const char8_t (&utf8)[N]) {
  Text1250<N> out{};
  std::size_t i = 0;
  while (i + 1 < N) {  // the literal's own NUL is not converted
    const long cp = DecodeUtf8(utf8, N - 1, i);
    if (cp < 0) throw "malformed UTF-8 in a text literal";
    const int byte = UnicodeToCp1250(static_cast<char32_t>(cp));
    if (byte < 0) throw "a character that Windows-1250 cannot hold";
    out.bytes[out.length++] = static_cast<char>(byte);
  }
  return out;
}

enum class Cp1250Conversion : uint8_t { Ok, Malformed, NoCp1250Byte, Control, TooLong };

// UTF-8 -> Windows-1250 in `out` (NUL-terminated) as long as it fits; `length` counts every
// byte the whole text needs, and `culprit` holds the first character refused: one that is
// not UTF-8, one the code page lacks, or (unless `allowControls`) a control character
// (C0, DEL, C1). TooLong when the whole text and its NUL do not fit `capacity`.
Cp1250Conversion Utf8ToCp1250(std::string_view utf8, bool allowControls, char* out,
                              std::size_t capacity, std::size_t& length, std::string_view& culprit);

// Windows-1250 -> UTF-8 into a fixed buffer, always NUL-terminated; returns the bytes written.
// Stops at the first NUL of the input or at its end, whichever comes first.
std::size_t Cp1250ToUtf8(std::string_view in, char* out, std::size_t capacity);

}  // namespace zv
