#include "samples/reading_number.h"

#include <cinttypes>
#include <cstdio>

#include "samples/reading.h"

namespace zv {

std::size_t ReadingDotText(uint16_t word, char (&out)[kReadingTextCapacity]) {
  const std::size_t length = ReadingText(word, out);
  for (std::size_t i = 0; i < length; ++i) {
    if (out[i] == ',') out[i] = '.';
  }
  return length;
}

std::size_t DecimalText(int64_t tenThousandths, char (&out)[kDecimalTextCapacity]) {
  const bool negative = tenThousandths < 0;
  // Unsigned, so that the most negative value has a magnitude too.
  const uint64_t magnitude =
      negative ? 0 - static_cast<uint64_t>(tenThousandths) : static_cast<uint64_t>(tenThousandths);
  const int length = std::snprintf(out, sizeof out, "%s%" PRIu64 ".%04" PRIu64, negative ? "-" : "",
                                   magnitude / 10000, magnitude % 10000);
  return length < 0 ? 0 : static_cast<std::size_t>(length);
}

std::size_t ShortDecimalText(int64_t tenThousandths, char separator,
                             char (&out)[kDecimalTextCapacity]) {
  std::size_t length = DecimalText(tenThousandths, out);
  // "8.1000" -> "8.1": the four decimals less the trailing zeros, one kept.
  while (length >= 2 && out[length - 1] == '0' && out[length - 2] != '.') out[--length] = '\0';
  for (std::size_t i = 0; i < length; ++i) {
    if (out[i] == '.') out[i] = separator;
  }
  return length;
}

}  // namespace zv
