#include "samples/reading.h"

namespace zv {

std::size_t ReadingText(uint16_t word, char (&out)[kReadingTextCapacity]) {
  // The sign of the whole value: -0,5000 has a minus although its whole degrees are 0.
  const int value = ReadingSixteenths(word);
  const unsigned magnitude = static_cast<unsigned>(value < 0 ? -value : value);
  std::size_t length = 0;
  if (value < 0) out[length++] = '-';

  // At most three digits: the magnitude is at most 2048 sixteenths, 128 degrees.
  unsigned whole = magnitude / 16;
  char digits[3];
  std::size_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole != 0 && count < sizeof digits);
  while (count != 0) out[length++] = digits[--count];
  out[length++] = ',';

  // The sixteenths in ten-thousandths: four digits, zero-padded.
  unsigned fraction = (magnitude % 16) * unsigned{kTenThousandthsPerSixteenth};
  for (std::size_t k = 4; k != 0; --k) {
    out[length + k - 1] = static_cast<char>('0' + fraction % 10);
    fraction /= 10;
  }
  length += 4;
  out[length] = '\0';
  return length;
}

int16_t WholeDegrees(uint16_t word) {
  // Rounded half away from zero; 127.5 and above stay 127, so the chart never sees 128.
  const int value = ReadingSixteenths(word);
  const int magnitude = ((value < 0 ? -value : value) + 8) / 16;
  const int degrees = value < 0 ? -magnitude : magnitude;
  return static_cast<int16_t>(degrees > 127 ? 127 : degrees);
}

}  // namespace zv
