// Every byte on the line, each way, with its time: what tests assert on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "emulator/logger_setup.h"

namespace zv::emu {

struct TranscriptEntry {
  Micros at;
  bool fromHost;  // true: host to logger; false: logger to host
  uint8_t byte;
};

class Transcript {
 public:
  // Room for `capacity` entries is taken now; recording never allocates afterwards, and
  // entries past the capacity are only counted.
  explicit Transcript(std::size_t capacity) { entries_.reserve(capacity); }

  void Record(const TranscriptEntry& entry) {
    if (entries_.size() < entries_.capacity()) {
      entries_.push_back(entry);
    } else {
      ++dropped_;
    }
  }
  void Clear() {
    entries_.clear();
    dropped_ = 0;
  }

  const std::vector<TranscriptEntry>& Entries() const { return entries_; }
  std::size_t Dropped() const { return dropped_; }

  std::vector<uint8_t> HostBytes() const { return Bytes(true); }
  std::vector<uint8_t> LoggerBytes() const { return Bytes(false); }
  // Time of the host's byte number `index` (0-based, over all host bytes).
  std::optional<Micros> HostByteTime(std::size_t index) const;
  // Microseconds from host byte `from` to host byte `to`.
  std::optional<Micros> HostGap(std::size_t from, std::size_t to) const;
  // Index among the host bytes where `sequence` first occurs at or after `start`.
  std::optional<std::size_t> FindHostBytes(const std::vector<uint8_t>& sequence,
                                           std::size_t start = 0) const;

 private:
  std::vector<uint8_t> Bytes(bool fromHost) const;

  std::vector<TranscriptEntry> entries_;
  std::size_t dropped_ = 0;
};

}  // namespace zv::emu
