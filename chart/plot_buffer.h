// One chart trace at a time: up to 100 whole-degree values from a scroll position on.
#pragma once

#include <cstdint>

#include "base/sample_memory.h"

namespace zv {

inline constexpr uint8_t kPlotPoints = 100;

struct PlotBuffer {
  int16_t values[kPlotPoints]{};
  uint8_t count = 0;
};

// Points on one chart page from scroll position p among s samples: 0..100.
uint8_t PointCount(uint32_t sampleCount, uint32_t scroll);

// Fills entries 0..points-1 from slot p on; points 0 leaves the buffer as it was.
void FillPlotBuffer(PlotBuffer& plot, const SampleBuffer& buffer, uint8_t channelMode,
                    Channel channel, uint32_t scroll, uint8_t points);

}  // namespace zv
