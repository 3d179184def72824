// What the benchmarks share: a sink that only counts bytes, the mean time of a repeated action,
// and a full memory of two slow curves.
#pragma once

#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "base/byte_sink.h"
#include "base/sample_memory.h"

namespace zv::bench {

class CountingSink final : public ByteSink {
 public:
  void Put(const char*, std::size_t n) override { bytes += n; }
  std::size_t bytes = 0;
};

// The mean wall time of one of `runs` calls of `action`, in seconds.
template <typename Action>
double SecondsPerRun(int runs, Action action) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < runs; ++i) action();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / runs;
}

// Two slow curves in sixteenths of a degree as the sensor's words, over the whole memory, each
// spanning hundreds of distinct values (so the mean kinetic temperature has many terms) and one
// of them partly below zero.
inline void FillTwoCurves(SampleBuffer& samples) {
  for (std::size_t word = 0; word < kSampleBufferSize / 2; ++word) {
    const int sixteenths = static_cast<int>(320 * std::sin(static_cast<double>(word) / 300.0)) +
                           (word % 2 == 0 ? 350 : -40);
    const auto value = static_cast<uint16_t>(sixteenths);
    samples.bytes[2 * word] = static_cast<uint8_t>(value);
    samples.bytes[2 * word + 1] = static_cast<uint8_t>(value >> 8);
  }
  samples.n = kSampleBufferSize;
}

}  // namespace zv::bench
