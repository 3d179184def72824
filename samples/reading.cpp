#include "samples/reading.h"

#include <cstddef>
#include <cstdint>

namespace zv {

namespace {

// Bits 4-11: the integer part as the logger stores it, a signed byte.
int IntegerPart(uint16_t word) {
  const int raw = (word >> 4) & 0xFF;
  return raw >= 0x80 ? raw - 0x100 : raw;
}

int FractionNibble(uint16_t word) {
  return word & 0x0F;
}

// The nibble's magnitude: a negative reading stores its fraction as a 4-bit two's complement.
int FractionMagnitude(int nibble, bool negative) {
  return negative ? (16 - nibble) % 16 : nibble;
}

}  // namespace

std::size_t ReadingText(uint16_t word, char (&out)[kReadingTextCapacity]) {
  std::size_t length = 0;
  const int integer = IntegerPart(word);
  unsigned magnitude = static_cast<unsigned>(integer < 0 ? -integer : integer);
  if (integer < 0) out[length++] = '-';

  // At most three digits: the integer part lies within -128..127.
  char digits[3];
  std::size_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0 && count < sizeof digits);
  while (count != 0) out[length++] = digits[--count];
  out[length++] = ',';

  // The text counts any of bits 12-15 as a minus, even when the integer part shows none.
  const bool negative = (word & 0xF000) != 0;
  unsigned fraction =
      static_cast<unsigned>(FractionMagnitude(FractionNibble(word), negative)) * 625u;
  for (std::size_t k = 4; k != 0; --k) {
    out[length + k - 1] = static_cast<char>('0' + fraction % 10);
    fraction /= 10;
  }
  length += 4;
  out[length] = '\0';
  return length;
}

int16_t WholeDegrees(uint16_t word) {
  // 127 stays 127 whatever the fraction, so the chart never sees 128.
  if (((word >> 4) & 0xFF) == 0x7F) return 127;

  // The chart counts only bit 15 as a minus; -128 stepped down gives -129, hence 16 bits.
  const bool negative = (word & 0x8000) != 0;
  const int magnitude = FractionMagnitude(FractionNibble(word), negative);
  int degrees = IntegerPart(word);
  if (magnitude >= 8) degrees += negative ? -1 : 1;
  return static_cast<int16_t>(degrees);
}

}  // namespace zv
