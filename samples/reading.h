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

// A sixteenth of a degree in ten-thousandths: every reading is a whole number of these.
inline constexpr int32_t kTenThousandthsPerSixteenth = 625;

// The value in ten-thousandths of a degree, exactly what its decimal text states: 23,0625 is
// 230625.
constexpr int32_t ReadingTenThousandths(uint16_t word) {
  return ReadingSixteenths(word) * kTenThousandthsPerSixteenth;
}

inline constexpr std::size_t kReadingTextCapacity = 10;  // "-128,9375" and its NUL

// Readings have been written one degree colder by earlier programs of this kind, which took the
// sign from the integer part and the fraction as its complement; these are the sensor's values.

// The decimal text of a reading: a minus whenever the value is negative, the whole degrees, a
// comma and four digits ("23,0625", "-0,5000", "-128,0000"), NUL-terminated; returns its
// length (6..9).
std::size_t ReadingText(uint16_t word, char (&out)[kReadingTextCapacity]);

// Whole degrees for the chart: the value rounded half away from zero, at most 127
// (-128..127).
int16_t WholeDegrees(uint16_t word);

}  // namespace zv
