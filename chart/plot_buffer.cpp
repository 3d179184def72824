#include "chart/plot_buffer.h"

#include "samples/reading.h"

namespace zv {

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
  const std::size_t available = DataBytes(buffer);
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
