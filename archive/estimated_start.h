// When a recording started, as far as a download can tell. The logger has no clock: when its
// status said it was measuring as it was downloaded, its newest reading was taken less than one
// interval before the download, so the first was taken about (readings − 1) × interval before
// it. That is an estimate, and whatever shows it says so.
#pragma once

#include <cstdint>
#include <optional>

#include "archive/recording.h"

namespace zv::archive {

// The status code of a logger that is measuring.
inline constexpr uint8_t kStatusMeasuring = 3;

struct StartEstimate {
  int64_t firstReadingUtc = 0;
  // The first reading was taken at most this much earlier than firstReadingUtc says.
  uint32_t uncertaintySeconds = 0;
};

// None for an import, a logger that was not measuring, no readings, or an unknown interval.
std::optional<StartEstimate> EstimateStart(const RecordingFacts& facts, int64_t downloadedAtUtc);

}  // namespace zv::archive
