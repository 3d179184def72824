#include "emulator/memory_stream.h"

#include "base/info_tab.h"

namespace zv::emu {

namespace {
constexpr uint8_t kMarkerByte = END_MARKER_BYTE;
constexpr uint8_t kFillByte = 0xFF;  // what the last block carries after the marker
constexpr std::size_t kStallAfterBytes = 10;
}  // namespace

uint8_t MemoryStream::DataByte(std::size_t index) const {
  const std::size_t length = memory_.size();
  if (index < length) return memory_[index];
  if (Endless()) {
    // Past the memory an endless stream goes on with a pattern that never holds 0xAA.
    const auto pattern = static_cast<uint8_t>(index * 37 + 11);
    return pattern == kMarkerByte ? 0x55 : pattern;
  }
  return index < length + 2 ? kMarkerByte : kFillByte;
}

std::size_t MemoryStream::Block(std::size_t k, uint8_t (&out)[kBlockBytes]) const {
  for (std::size_t i = 0; i < kBlockDataBytes; ++i) out[i] = DataByte(k * kBlockDataBytes + i);
  out[kBlockDataBytes] = sum8(out, kBlockDataBytes);
  if (faults_.badCheckBlock >= 0 && k == static_cast<std::size_t>(faults_.badCheckBlock)) {
    ++out[kBlockDataBytes];
  }
  // A pulled cable looks the same on this side: the bytes stop inside the block.
  for (const int stop : {faults_.stallBlock, faults_.unplugBlock}) {
    if (stop >= 0 && k == static_cast<std::size_t>(stop)) return kStallAfterBytes;
  }
  return kBlockBytes;
}

}  // namespace zv::emu
