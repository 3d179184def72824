// Builds the chart's drawing list and plays it into an SVG for a full memory (S = 16,384 in
// mode 1; S = 8,192 with both traces in mode 2) at 100 scroll positions, and prints the time
// per paint and the heap allocations made. A benchmark: it prints figures and asserts nothing.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "chart/chart_paint.h"
#include "chart/chart_view.h"
#include "tests/support/stream_port.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPositions = 100;
constexpr int kRounds = 50;

// Keeps the SVG in a fixed buffer, as a file's buffer would.
class BufferSink final : public zv::ByteSink {
 public:
  void Put(const char* bytes, std::size_t n) override {
    if (used_ + n <= sizeof buffer_) std::memcpy(buffer_ + used_, bytes, n);
    used_ += n;
  }
  void Clear() { used_ = 0; }
  std::size_t used() const { return used_; }

 private:
  char buffer_[256 * 1024];
  std::size_t used_ = 0;
};

void Run(const char* name, uint8_t mode) {
  auto samples = std::make_unique<zv::SampleBuffer>();
  for (std::size_t i = 0; i < zv::kSampleBufferSize; i += 2) {
    const unsigned degrees = 20 + (i / 2) % 40;  // a sawtooth across the page
    samples->bytes[i] = static_cast<uint8_t>(degrees << 4);
    samples->bytes[i + 1] = static_cast<uint8_t>(degrees >> 4);
  }
  samples->n = zv::kSampleBufferSize;
  const uint32_t s = zv::ChartSampleCount(*samples, mode);
  auto picture = std::make_unique<zv::ChartPicture>();
  auto sink = std::make_unique<BufferSink>();

  const auto position = [s](int k) {
    return static_cast<uint32_t>((uint64_t{s} - zv::kChartPage) * k / (kPositions - 1));
  };
  long allocations = 0;
  std::size_t svgBytes = 0;
  // The lists alone, then the SVGs, each made as its list is: the SVG's share is the difference.
  const Clock::time_point start = Clock::now();
  for (int round = 0; round < kRounds; ++round) {
    for (int k = 0; k < kPositions; ++k) {
      zv::BuildChartPicture({samples.get(), mode, position(k), true, true, true, true}, *picture);
    }
  }
  const Clock::time_point built = Clock::now();
  {
    zv::test::AllocationCounter counter;
    for (int round = 0; round < kRounds; ++round) {
      for (int k = 0; k < kPositions; ++k) {
        sink->Clear();
        zv::WriteChartSvg({samples.get(), mode, position(k), true, true, true, true}, *sink);
        svgBytes += sink->used();
      }
    }
    allocations = counter.count();
  }
  const Clock::time_point written = Clock::now();
  const double buildSeconds = std::chrono::duration<double>(built - start).count();
  const double svgSeconds = std::chrono::duration<double>(written - built).count() - buildSeconds;
  const double paints = double{kRounds} * kPositions;
  std::printf("%s: S = %u, %d positions x %d rounds, %zu steps a paint\n", name, s, kPositions,
              kRounds, picture->count);
  std::printf("  drawing list: %.2f us a paint\n", buildSeconds / paints * 1e6);
  std::printf("  SVG:          %.2f us a paint, %.0f bytes\n", svgSeconds / paints * 1e6,
              static_cast<double>(svgBytes) / paints);
  std::printf("  allocations:  %ld in %.0f paints (%.2f a paint)\n", allocations, paints,
              static_cast<double>(allocations) / paints);
}

}  // namespace

int main() {
  Run("mode 1, both grids, trace A", 1);
  Run("mode 2, both grids, traces A and B", 2);
  return 0;
}
