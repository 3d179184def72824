// The downloaded sample memory and the two renderings of one reading.
#pragma once

#include <cstddef>
#include <cstdint>

#include "link/wire.h"
#include "samples/reading.h"

namespace zv {

inline constexpr std::size_t kSampleBufferSize = kSampleMemoryBytes;

// Raw bytes as the logger sent them; n counts the data bytes from position 0 (n <= 32768).
struct SampleBuffer {
  uint8_t bytes[kSampleBufferSize]{};
  uint32_t n = 0;
};

// The loaded samples and a second buffer that a download fills; it becomes the loaded one
// only when the transfer succeeds, so a failed download never touches what was loaded.
struct SampleStore {
  SampleBuffer loaded;
  SampleBuffer incoming;
};

// Little-endian 16-bit word at a byte offset; the caller keeps offset + 1 below n.
inline uint16_t SampleWord(const SampleBuffer& buffer, std::size_t byteOffset) {
  return static_cast<uint16_t>(buffer.bytes[byteOffset] | buffer.bytes[byteOffset + 1] << 8);
}

// Complete slots in n bytes: a slot is 2 * channelMode bytes.
inline uint32_t SampleCount(uint32_t n, uint8_t channelMode) {
  return n >> channelMode;
}

inline constexpr uint8_t kPlotPoints = 100;

struct PlotBuffer {
  int16_t values[kPlotPoints]{};
  uint8_t count = 0;
};

enum class Channel : uint8_t { A, B };

// Points on one chart page from scroll position p among s samples: 0..100.
uint8_t PointCount(uint32_t sampleCount, uint32_t scroll);

// Fills entries 0..points-1 from slot p on; points 0 leaves the buffer as it was.
void FillPlotBuffer(PlotBuffer& plot, const SampleBuffer& buffer, uint8_t channelMode,
                    Channel channel, uint32_t scroll, uint8_t points);

}  // namespace zv
