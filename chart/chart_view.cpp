#include "chart/chart_view.h"

#include "base/sample_memory.h"

namespace zv {

uint32_t ChartSampleCount(const SampleBuffer& samples, uint8_t channelMode) {
  return SampleCount(DataBytes(samples), channelMode == 2 ? 2 : 1);
}

ScrollOutcome Scroll(uint32_t p, uint32_t s, ScrollRequest request, uint32_t thumb) {
  // Every moving request repaints, whether or not p changed; the thumb follows only a move.
  // Sums are taken in 64 bits so that no position near the top of the range can wrap.
  const uint64_t wide = p;
  switch (request) {
    case ScrollRequest::LineLeft:
      return {p >= kChartLineStep ? p - kChartLineStep : 0, true, true};
    case ScrollRequest::LineRight:
      if (s > kChartPage && p < s - kChartPage) return {p + kChartLineStep, true, true};
      return {p, false, true};
    case ScrollRequest::PageLeft:
      if (p >= kChartPageStep) return {p - kChartPageStep, true, true};
      return {p, false, true};
    case ScrollRequest::PageRight:
      if (s > kChartPage && wide + kChartPageStep <= s - kChartPage) {
        return {p + kChartPageStep, true, true};
      }
      return {p, false, true};
    case ScrollRequest::ThumbTrack:
      return {thumb & ~uint32_t{1}, true, true};
    case ScrollRequest::Ignored:
      break;
  }
  // Thumb released, either end, end of scrolling: the drag already moved the view.
  return {p, false, false};
}

ChannelBoxes OpeningBoxes(uint8_t channelMode) {
  ChannelBoxes boxes;
  if (channelMode == 2) {
    boxes.aEnabled = true;
    boxes.bEnabled = true;
    boxes.bChecked = true;
  }
  return boxes;
}

ChannelBoxes ApplyChannelRule(ChannelBoxes boxes) {
  // Always A comes back, whichever box was cleared last.
  if (!boxes.aChecked && !boxes.bChecked) boxes.aChecked = true;
  return boxes;
}

ChannelBoxes ChooseChannels(uint8_t channelMode, bool wantA, bool wantB) {
  ChannelBoxes boxes = OpeningBoxes(channelMode);
  if (boxes.aEnabled) boxes.aChecked = wantA;
  if (boxes.bEnabled) boxes.bChecked = wantB;
  return ApplyChannelRule(boxes);
}

}  // namespace zv
