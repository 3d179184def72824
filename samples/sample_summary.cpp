#include "samples/sample_summary.h"

#include "samples/reading_number.h"
#include "samples/sample_slots.h"

namespace zv {

ChannelSummary SummarizeChannel(const SampleBuffer& samples, uint8_t channelMode, Channel channel) {
  ChannelSummary summary;
  const SlotLayout layout = LayoutOf(samples, channelMode);
  uint16_t word = 0;
  for (uint32_t slot = 0; ChannelWord(samples, layout, slot, channel, word); ++slot) {
    const int32_t value = ReadingTenThousandths(word);
    if (summary.count == 0 || value < summary.min) {
      summary.min = value;
      summary.minSlot = slot;
    }
    if (summary.count == 0 || value > summary.max) {
      summary.max = value;
      summary.maxSlot = slot;
    }
    summary.sum += value;
    ++summary.count;
  }
  return summary;
}

int64_t MeanTenThousandths(const ChannelSummary& summary) {
  if (summary.count == 0) return 0;
  const int64_t count = summary.count;
  const int64_t half = count / 2;
  return summary.sum >= 0 ? (summary.sum + half) / count : -((-summary.sum + half) / count);
}

}  // namespace zv
