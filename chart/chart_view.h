// The chart window's rules that draw nothing: the scroll position and its requests, and which
// channel boxes are ticked and enabled. The window only carries these decisions out.
#pragma once

#include <cstdint>

#include "base/sample_memory.h"

namespace zv {

inline constexpr uint32_t kChartPage = 100;  // samples on one page, and the scroll bar's page
inline constexpr uint32_t kChartLineStep = 10;
inline constexpr uint32_t kChartPageStep = 50;

// Samples on the chart: the complete slots in the buffer's data bytes.
uint32_t ChartSampleCount(const SampleBuffer& samples, uint8_t channelMode);

// What a scroll request asks for; the window maps its platform's codes onto these. Anything
// else (the thumb released, either end, the end of scrolling) is Ignored.
enum class ScrollRequest : uint8_t {
  LineLeft,
  LineRight,
  PageLeft,
  PageRight,
  ThumbTrack,
  Ignored
};

struct ScrollOutcome {
  uint32_t position = 0;   // the new scroll position p
  bool moveThumb = false;  // set the bar's position to p
  bool repaint = false;    // invalidate the whole client area with erase
};

// One scroll request at position p among s samples; `thumb` counts only for the thumb drag.
ScrollOutcome Scroll(uint32_t position, uint32_t sampleCount, ScrollRequest request,
                     uint32_t thumb);

struct ChannelBoxes {
  bool aEnabled = false;
  bool aChecked = true;
  bool bEnabled = false;
  bool bChecked = false;
};

// Boxes 323 (A) and 324 (B) once the window is open: both on in mode 2, A alone and both
// disabled otherwise.
ChannelBoxes OpeningBoxes(uint8_t channelMode);

// After any click in the chart: a chart with neither channel ticked gets A back.
ChannelBoxes ApplyChannelRule(ChannelBoxes boxes);

// The channels a user asks for, applied as clicks would be: a disabled box keeps its tick,
// then the rule above. In mode 1, "B alone" therefore shows A.
ChannelBoxes ChooseChannels(uint8_t channelMode, bool wantA, bool wantB);

}  // namespace zv
