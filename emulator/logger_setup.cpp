#include "emulator/logger_setup.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/logger_identifier.h"

namespace zv::emu {

namespace {

constexpr uint8_t kMarkerByte = END_MARKER_BYTE;

// Channel A swings gently around room temperature, channel B around freezing, so both signs
// appear. Kept within -40..+100 degrees, where a word's high byte is 0x00-0x06 or 0xFD-0xFF:
// no high byte is ever 0xAA, so no two adjacent bytes can both be 0xAA.
int CurveSixteenths(int channel, std::size_t slot) {
  const double k = static_cast<double>(slot);
  const double degrees = channel == 0 ? 21.0 + 6.0 * std::sin(2 * std::numbers::pi * k / 96) +
                                            0.4 * std::sin(2 * std::numbers::pi * k / 7)
                                      : 1.5 + 8.0 * std::sin(2 * std::numbers::pi * k / 150 + 1.0);
  return static_cast<int>(std::lround(std::clamp(degrees, -40.0, 100.0) * 16));
}

std::vector<uint8_t> SyntheticMemory(std::size_t length, int channels) {
  std::vector<uint8_t> memory(length);
  for (std::size_t word = 0; 2 * word < length; ++word) {
    const uint16_t value =
        EncodeReading(CurveSixteenths(static_cast<int>(word % channels), word / channels));
    memory[2 * word] = static_cast<uint8_t>(value);
    if (2 * word + 1 < length) memory[2 * word + 1] = static_cast<uint8_t>(value >> 8);
  }
  // A low byte of 0xAA at the very end would run into the marker and end the data early.
  if (!memory.empty() && memory.back() == kMarkerByte) memory.back() = kMarkerByte + 1;
  return memory;
}

// The last block holds memory bytes 0..30 and the marker's first 0xAA at data byte 31; its
// check byte, the marker's second 0xAA, needs the 32 data bytes to sum to 0xAA.
void PadForSplitMarker(std::vector<uint8_t>& memory) {
  const std::size_t first = memory.size() - 31;
  uint8_t sum = kMarkerByte;
  for (std::size_t i = first; i + 1 < memory.size(); ++i)
    sum = static_cast<uint8_t>(sum + memory[i]);
  uint8_t last = static_cast<uint8_t>(kMarkerByte - sum);
  if (last == kMarkerByte) {
    // 0xAA there would begin the marker one byte early: move one unit to data byte 29
    // instead, in the direction that makes no new 0xAA pair with data byte 28.
    uint8_t& before = memory[memory.size() - 2];
    const bool upward = !(static_cast<uint8_t>(before + 1) == kMarkerByte &&
                          memory[memory.size() - 3] == kMarkerByte);
    before = static_cast<uint8_t>(upward ? before + 1 : before - 1);
    last = static_cast<uint8_t>(upward ? last - 1 : last + 1);
  }
  memory.back() = last;
}

}  // namespace

bool SetIdentifier(LoggerSetup& setup, std::string_view utf8, std::string& why) {
  char id[kLoggerIdSize]{};
  if (!IdentifierFromUtf8(utf8, true, id, why)) return false;
  std::copy(std::begin(id), std::end(id), std::begin(setup.id));
  return true;
}

INFO_TAB BuildInfoTab(const LoggerSetup& setup) {
  INFO_TAB tab;
  std::copy(std::begin(setup.id), std::end(setup.id), tab.LoggerId());
  tab.SetWritePointer(setup.writePointer);
  tab.SetIntervalIndex(setup.intervalIndex);
  tab.SetStartDelayIndex(setup.startDelayIndex);
  tab.SetDurationIndex(setup.durationIndex);
  tab.SetSpare(setup.spare);
  tab.SetMemoryEnd(setup.memoryEnd);
  tab.SetStatusCode(setup.status);
  tab.SetFlags(setup.flags);
  tab.SetMemoryStart(setup.memoryStart);
  SealInfoTab(tab);
  return tab;
}

uint16_t EncodeReading(int sixteenths) {
  // The sensor's range is what 12 bits hold; its word repeats the sign in bits 12-15.
  const int held = std::clamp(sixteenths, -2048, 2047);
  return static_cast<uint16_t>(held & 0xFFFF);
}

std::vector<uint8_t> BuildMemory(const LoggerSetup& setup) {
  const std::size_t pointerBytes = static_cast<uint16_t>(setup.writePointer - setup.memoryStart);
  std::size_t length =
      setup.memoryBytes.value_or(setup.memoryImage ? setup.memoryImage->size() : pointerBytes);
  length = std::min(length, kMaxMemoryBytes);
  if (setup.faults.splitMarker) {
    length = length < 31 ? 31 : length - (length - 31) % kBlockDataBytes;
  }

  std::vector<uint8_t> memory;
  if (setup.memoryImage) {
    memory = *setup.memoryImage;
    memory.resize(length, 0);
  } else {
    memory = SyntheticMemory(length, (setup.flags & kFlagTwoChannels) ? 2 : 1);
  }
  if (memory.size() % kBlockDataBytes == 31) PadForSplitMarker(memory);
  return memory;
}

}  // namespace zv::emu
