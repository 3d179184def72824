// The readings of each channel slot by slot, as every export format and the summary see them:
// the words of the first n bytes in order (an odd last byte belongs to no word), one word a
// slot with one channel and two with two. A trailing partial slot, which the text export
// writes as a lone reading, holds its channel A reading and no channel B reading.
#pragma once

#include <cstdint>

#include "base/sample_memory.h"

namespace zv {

struct SlotLayout {
  uint32_t words = 0;         // n div 2, n bounded by the buffer
  uint32_t wordsPerSlot = 1;  // 1 or 2
  uint32_t slots = 0;         // slots holding at least one reading
  // Complete slots, which the program counts ("Pobrano: N próbek"): one fewer than `slots`
  // when the last slot holds its A reading alone.
  uint32_t CompleteSlots() const { return words / wordsPerSlot; }
  bool HasPartialSlot() const { return CompleteSlots() != slots; }
};

inline SlotLayout LayoutOf(const SampleBuffer& samples, uint8_t channelMode) {
  SlotLayout layout;
  const uint32_t bytes = DataBytes(samples);
  layout.words = bytes / 2;
  // Any mode other than two channels reads as one, as the text export does.
  layout.wordsPerSlot = channelMode == 2 ? 2 : 1;
  layout.slots = (layout.words + layout.wordsPerSlot - 1) / layout.wordsPerSlot;
  return layout;
}

// The word of one channel in a slot; false when the slot holds no reading of that channel.
inline bool ChannelWord(const SampleBuffer& samples, const SlotLayout& layout, uint32_t slot,
                        Channel channel, uint16_t& word) {
  const uint32_t offset = channel == Channel::B ? 1 : 0;
  if (offset >= layout.wordsPerSlot || slot >= layout.slots) return false;
  const uint32_t index = slot * layout.wordsPerSlot + offset;
  if (index >= layout.words) return false;
  word = SampleWord(samples, 2 * static_cast<std::size_t>(index));
  return true;
}

}  // namespace zv
