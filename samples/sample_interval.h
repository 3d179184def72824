// The sampling interval in seconds, for the formats that put a time on each slot.
#pragma once

#include <cstdint>
#include <iterator>

#include "base/value_tables.h"

namespace zv {

// Seconds of each entry of IntervalTexts, in its order.
inline constexpr uint32_t kIntervalSeconds[] = {
    1, 2, 5, 10, 30, 60, 120, 300, 600, 1800, 3600, 5400, 7200, 9000, 10800, 14400, 18000};
static_assert(std::size(kIntervalSeconds) == IntervalTexts.kCount, "one per interval text");

// The seconds between samples for the interval index of INFO_TAB byte 16; false when the
// logger reported an index beyond the table.
inline bool IntervalSeconds(uint8_t index, uint32_t& seconds) {
  if (index >= std::size(kIntervalSeconds)) return false;
  seconds = kIntervalSeconds[index];
  return true;
}

}  // namespace zv
