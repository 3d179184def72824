// The downloaded sample memory: raw bytes as the logger sent them, slot by slot.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/wire.h"

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

// The data bytes of the buffer: n, never more than the buffer holds, whatever n says.
inline uint32_t DataBytes(const SampleBuffer& buffer) {
  return buffer.n < kSampleBufferSize ? buffer.n : static_cast<uint32_t>(kSampleBufferSize);
}

// Little-endian 16-bit word at a byte offset; the caller keeps offset + 1 below n.
inline uint16_t SampleWord(const SampleBuffer& buffer, std::size_t byteOffset) {
  return static_cast<uint16_t>(buffer.bytes[byteOffset] | buffer.bytes[byteOffset + 1] << 8);
}

// Complete slots in n bytes: a slot is 2 * channelMode bytes.
inline uint32_t SampleCount(uint32_t n, uint8_t channelMode) {
  return n >> channelMode;
}

// Channel A is in every slot; channel B in the second word of a two-channel slot.
enum class Channel : uint8_t { A, B };

}  // namespace zv
