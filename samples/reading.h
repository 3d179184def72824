// One reading as the logger's DS18B20 sensor stores it: a 12-bit two's-complement number of
// sixteenths of a degree, sign-extended to 16 bits. Its value and its two renderings.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zv {

// The value in sixteenths of a degree: bits 0-11 as a signed 12-bit number (-2048..2047).
// Bits 12-15 only repeat the sign and are not read.
constexpr int16_t ReadingSixteenths(uint16_t word) {
  const int value = word & 0x0FFF;
  return static_cast<int16_t>(value >= 0x800 ? value - 0x1000 : value);
}

inline constexpr std::size_t kReadingTextCapacity = 10;  // "-128,9375" and its NUL

// The decimal text of a reading ("23,0625", "-1,0000"), NUL-terminated; returns its length (6..9).
std::size_t ReadingText(uint16_t word, char (&out)[kReadingTextCapacity]);

// Whole degrees for the chart; -129 is possible (integer part -128 rounded down), hence 16 bits.
int16_t WholeDegrees(uint16_t word);

}  // namespace zv
