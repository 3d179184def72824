#include "emulator/transcript.h"

#include <algorithm>

namespace zv::emu {

std::vector<uint8_t> Transcript::Bytes(bool fromHost) const {
  std::vector<uint8_t> bytes;
  for (const TranscriptEntry& entry : entries_) {
    if (entry.fromHost == fromHost) bytes.push_back(entry.byte);
  }
  return bytes;
}

std::optional<Micros> Transcript::HostByteTime(std::size_t index) const {
  for (const TranscriptEntry& entry : entries_) {
    if (!entry.fromHost) continue;
    if (index == 0) return entry.at;
    --index;
  }
  return std::nullopt;
}

std::optional<Micros> Transcript::HostGap(std::size_t from, std::size_t to) const {
  const std::optional<Micros> start = HostByteTime(from);
  const std::optional<Micros> end = HostByteTime(to);
  if (!start || !end) return std::nullopt;
  return *end - *start;
}

std::optional<std::size_t> Transcript::FindHostBytes(const std::vector<uint8_t>& sequence,
                                                     std::size_t start) const {
  const std::vector<uint8_t> host = HostBytes();
  if (start > host.size()) return std::nullopt;
  const auto found = std::search(host.begin() + static_cast<std::ptrdiff_t>(start), host.end(),
                                 sequence.begin(), sequence.end());
  if (found == host.end() && !sequence.empty()) return std::nullopt;
  return static_cast<std::size_t>(found - host.begin());
}

}  // namespace zv::emu
