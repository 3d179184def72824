#include <cstddef>
#include <cstdint>

#include "samples/sample_buffer.h"

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

uint8_t PointCount(uint32_t sampleCount, uint32_t scroll) {
  // Widened so that a scroll position near the top of the range cannot wrap.
  if (uint64_t{sampleCount} >= uint64_t{scroll} + kPlotPoints) return kPlotPoints;
  if (scroll >= sampleCount) return 0;
  return static_cast<uint8_t>(sampleCount - scroll);
}

void FillPlotBuffer(PlotBuffer& plot, const SampleBuffer& buffer, uint8_t channelMode,
                    Channel channel, uint32_t scroll, uint8_t points) {
  if (points == 0) return;

  const std::size_t slotBytes = channelMode == 2 ? 4 : 2;
  const std::size_t channelOffset = channel == Channel::B ? 2 : 0;
  const std::size_t available = buffer.n < kSampleBufferSize ? buffer.n : kSampleBufferSize;
  const std::size_t wanted = points < kPlotPoints ? points : kPlotPoints;

  // Only whole slots inside the data count, and each word read must lie inside them too.
  const std::size_t slots = available / slotBytes;
  std::size_t filled = 0;
  while (filled < wanted && scroll < slots && filled < slots - scroll) {
    const std::size_t offset = (scroll + filled) * slotBytes + channelOffset;
    if (offset + 2 > available) break;
    plot.values[filled] = WholeDegrees(SampleWord(buffer, offset));
    ++filled;
  }
  plot.count = static_cast<uint8_t>(filled);
}

}  // namespace zv
