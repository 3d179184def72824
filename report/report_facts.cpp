#include "report/report_facts.h"

#include "samples/sample_slots.h"

namespace zv {

ReportFacts GatherReportFacts(const SampleBuffer& samples, const LoggerFacts& logger,
                              const ReportRequest& request) {
  ReportFacts facts;
  facts.samples = &samples;
  facts.logger = logger;
  facts.request = request;
  const uint8_t mode = logger.channelMode == 2 ? 2 : 1;
  facts.logger.channelMode = mode;
  facts.readings = LayoutOf(samples, mode).CompleteSlots();

  StatsSettings settings;
  settings.intervalSeconds = logger.intervalSeconds;
  settings.activationEnergy = request.activationEnergy;
  const bool showB = request.showB && mode == 2;
  // As the chart window does: with neither channel asked for, A is shown.
  const bool showA = request.showA || !showB;
  if (showA) facts.channels.push_back({Channel::A, {}});
  if (showB) facts.channels.push_back({Channel::B, {}});
  for (ChannelFacts& channel : facts.channels) {
    settings.limits = request.limits.For(channel.channel);
    channel.stats = ComputeChannelStats(samples, mode, channel.channel, settings);
  }
  return facts;
}

SlotTime TimeOfSlot(const ReportFacts& facts, uint32_t slot) {
  SlotTime time;
  time.slot = slot;
  if (!facts.logger.intervalSeconds) return time;
  time.elapsed = int64_t{slot} * *facts.logger.intervalSeconds;
  const std::optional<StartTime>& start = facts.request.start;
  if (!start || start->utc >= kLargestStart || start->utc <= -kLargestStart) return time;
  time.utc = start->utc + *time.elapsed;
  time.offset = OffsetAt(*start, *time.utc);
  return time;
}

std::optional<int64_t> SpanSeconds(const ReportFacts& facts) {
  if (!facts.logger.intervalSeconds || facts.readings == 0) return std::nullopt;
  return int64_t{facts.readings - 1} * *facts.logger.intervalSeconds;
}

Verdict OverallVerdict(const ReportFacts& facts) {
  Verdict overall = Verdict::NoLimits;
  for (const ChannelFacts& channel : facts.channels) {
    const Verdict verdict = VerdictOf(channel.stats);
    if (verdict == Verdict::Exceeded) return verdict;
    if (verdict == Verdict::Within) overall = verdict;
    if (verdict == Verdict::NoReadings && overall == Verdict::NoLimits) {
      overall = verdict;
    }
  }
  return overall;
}

}  // namespace zv
