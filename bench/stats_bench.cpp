// The statistics of a full two-channel memory (8,192 slots, both channels, with limits that
// the curves cross), many times over: the time of one run against the 2 ms budget and the heap
// allocations of one run. A benchmark: it prints figures and asserts nothing.
#include <chrono>
#include <cstdio>
#include <memory>

#include "bench/bench_support.h"
#include "samples/recording_stats.h"
#include "tests/support/stream_port.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kBudgetMs = 2.0;

double RunBoth(const zv::SampleBuffer& samples, const zv::StatsSettings& settings) {
  const zv::ChannelStats a = zv::ComputeChannelStats(samples, 2, zv::Channel::A, settings);
  const zv::ChannelStats b = zv::ComputeChannelStats(samples, 2, zv::Channel::B, settings);
  return a.meanKinetic.value_or(0) + b.meanKinetic.value_or(0);
}

}  // namespace

int main() {
  auto samples = std::make_unique<zv::SampleBuffer>();
  zv::bench::FillTwoCurves(*samples);
  zv::StatsSettings settings;
  settings.limits = {0, 8 * 16};  // 0..8 °C: both curves leave it
  settings.intervalSeconds = 60;

  long allocations = 0;
  {
    zv::test::AllocationCounter counter;
    RunBoth(*samples, settings);
    allocations = counter.count();
  }
  constexpr int kRounds = 2000;
  double sink = 0;  // used, so that no round can be left out
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < kRounds; ++i) sink += RunBoth(*samples, settings);
  const double ms =
      std::chrono::duration<double, std::milli>(Clock::now() - start).count() / kRounds;

  std::printf("full two-channel memory: %u bytes, %u slots, %d rounds (checksum %.3f)\n",
              samples->n, zv::SampleCount(samples->n, 2), kRounds, sink / kRounds);
  std::printf(
      "statistics of both channels %8.4f ms   budget %.1f ms   ratio %.4f   %ld allocations\n", ms,
      kBudgetMs, ms / kBudgetMs, allocations);
  return 0;
}
