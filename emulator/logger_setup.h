// What an emulated logger holds: its table fields, its sample memory and how it behaves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/info_tab.h"
#include "emulator/faults.h"

namespace zv::emu {

using Micros = std::int64_t;

// The line rate the paced logger sends at: 1042 us a byte.
inline constexpr Micros kByteMicros = zv::kByteMicros;
// The memory a logger can hold at most; more would not fit the 16-bit address space.
inline constexpr std::size_t kMaxMemoryBytes = 65536;

struct LoggerSetup {
  uint8_t id[kLoggerIdSize] = {'K', 'V', 'A', 'R', '2', '-', '0', '0', '0', '1'};  // Windows-1250
  uint16_t writePointer = 0x0120;
  uint8_t intervalIndex = 5;
  uint8_t startDelayIndex = 0;
  uint8_t durationIndex = 0;
  uint8_t spare = 0;  // byte 19, carried but never interpreted
  uint16_t memoryEnd = 0x7FFE;
  uint8_t status = 4;
  uint8_t flags = 0x00;
  uint8_t memoryStart = 0x20;

  // Bytes of sample memory; by default (write pointer - memory start) mod 65536, or the whole
  // image when one is given. Set it for a full 32,768-byte memory, whose pointer wraps to 0.
  std::optional<std::size_t> memoryBytes;
  // A memory image (from a file) instead of the synthetic curves; cut or zero-padded to
  // memoryBytes when that is set.
  std::optional<std::vector<uint8_t>> memoryImage;

  bool paced = true;            // bytes spaced at the line rate, or all of a reply at once
  Micros latencyMicros = 2000;  // from the host's last byte to the first byte of the answer
  FaultSet faults;
  std::size_t transcriptCapacity = 1u << 17;  // entries kept; later bytes are counted only
};

// Stores a UTF-8 identifier as Windows-1250, at most 13 bytes and a NUL; the rest of the
// field is zero. Control characters are kept, as a logger may hold them. False, with why and
// the identifier left as it was, for a text the logger could not keep whole.
bool SetIdentifier(LoggerSetup& setup, std::string_view utf8, std::string& why);

// The table the logger answers CMD_READ_INFO with, check byte included.
INFO_TAB BuildInfoTab(const LoggerSetup& setup);

// A reading in sixteenths of a degree as the logger's sensor stores it: a 12-bit two's
// complement number sign-extended to 16 bits (values beyond -2048..2047 are held at the ends).
uint16_t EncodeReading(int sixteenths);

// The memory exactly as the stream will carry it. Synthetic curves never hold the pair
// 0xAA 0xAA, never end in 0xAA, and never make a block whose data byte 31 and check byte are
// both 0xAA; an image is taken as it is. With the split-marker fault the length is trimmed
// (or a short memory grown) to 32k + 31. Whenever the length is 32k + 31 the marker's first
// 0xAA is the last data byte of its block and its second is the check byte, so the last
// memory byte (data byte 30 of that block) is adjusted, as a logger pads its last block, to
// make the 32 data bytes sum to 0xAA.
std::vector<uint8_t> BuildMemory(const LoggerSetup& setup);

}  // namespace zv::emu
