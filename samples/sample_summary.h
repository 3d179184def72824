// Per channel: how many readings, the lowest and highest with the slots holding them, and
// the mean; all values in ten-thousandths of a degree, from the readings' decimal texts.
#pragma once

#include <cstdint>

#include "base/sample_memory.h"

namespace zv {

struct ChannelSummary {
  uint32_t count = 0;
  int32_t min = 0;
  int32_t max = 0;
  uint32_t minSlot = 0;  // the first slot holding the lowest reading
  uint32_t maxSlot = 0;  // the first slot holding the highest reading
  int64_t sum = 0;
};

// Channel B of a one-channel memory has no readings.
ChannelSummary SummarizeChannel(const SampleBuffer& samples, uint8_t channelMode, Channel channel);

// The mean rounded half away from zero to a ten-thousandth; 0 without readings.
int64_t MeanTenThousandths(const ChannelSummary& summary);

}  // namespace zv
