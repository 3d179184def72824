// The memory as the logger sends it: 33-byte blocks (32 data bytes and their sum8), the data
// ending with the marker 0xAA 0xAA inside one block. Blocks are made one at a time, so an
// endless stream (the no-end-marker fault) is never held whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/wire.h"
#include "emulator/faults.h"

namespace zv::emu {

inline constexpr std::size_t kBlockBytes = kDataBlockSize;

class MemoryStream {
 public:
  // Keeps references: both must outlive the stream.
  MemoryStream(const std::vector<uint8_t>& memory, const FaultSet& faults)
      : memory_(memory), faults_(faults) {}

  bool Endless() const { return faults_.noEndMarker; }
  // Blocks up to and including the one with the marker; meaningless when endless.
  std::size_t BlockCount() const { return memory_.size() / kBlockDataBytes + 1; }
  // Block k into out; returns how many of its bytes go on the line (fewer when it stalls).
  std::size_t Block(std::size_t k, uint8_t (&out)[kBlockBytes]) const;

 private:
  uint8_t DataByte(std::size_t index) const;

  const std::vector<uint8_t>& memory_;
  const FaultSet& faults_;
};

}  // namespace zv::emu
