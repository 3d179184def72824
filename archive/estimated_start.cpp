#include "archive/estimated_start.h"

namespace zv::archive {

std::optional<StartEstimate> EstimateStart(const RecordingFacts& facts, int64_t downloadedAtUtc) {
  if (facts.origin != RecordingOrigin::Downloaded || facts.statusCode != kStatusMeasuring ||
      facts.readings == 0 || !facts.intervalSeconds) {
    return std::nullopt;
  }
  const int64_t interval = *facts.intervalSeconds;
  return StartEstimate{downloadedAtUtc - (static_cast<int64_t>(facts.readings) - 1) * interval,
                       *facts.intervalSeconds};
}

}  // namespace zv::archive
