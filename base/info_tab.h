// The logger's 26-byte information table and everything derived from it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/wire.h"

namespace zv {

// The 8-bit wrap-around sum of n bytes.
uint8_t sum8(const uint8_t* bytes, std::size_t n);

// The table as it travels on the wire; multi-byte fields are little-endian. Every field is
// reached by its name; only the wire itself sees the raw bytes.
struct INFO_TAB {
  uint8_t bytes[kInfoTabSize]{};

  // Logger_ID: Windows-1250, NUL-terminated inside its 14 bytes (bytes after the NUL count
  // in the check byte but mean nothing).
  const uint8_t* LoggerId() const { return bytes + kIdAt; }
  uint8_t* LoggerId() { return bytes + kIdAt; }
  uint16_t WritePointer() const { return Word(kWritePointerAt); }
  void SetWritePointer(uint16_t value) { SetWord(kWritePointerAt, value); }
  uint8_t IntervalIndex() const { return bytes[kIntervalAt]; }
  void SetIntervalIndex(uint8_t value) { bytes[kIntervalAt] = value; }
  uint8_t StartDelayIndex() const { return bytes[kStartDelayAt]; }
  void SetStartDelayIndex(uint8_t value) { bytes[kStartDelayAt] = value; }
  uint8_t DurationIndex() const { return bytes[kDurationAt]; }
  void SetDurationIndex(uint8_t value) { bytes[kDurationAt] = value; }
  uint8_t Spare() const { return bytes[kSpareAt]; }  // never interpreted, sent back as read
  void SetSpare(uint8_t value) { bytes[kSpareAt] = value; }
  uint16_t MemoryEnd() const { return Word(kMemoryEndAt); }
  void SetMemoryEnd(uint16_t value) { SetWord(kMemoryEndAt, value); }
  uint8_t StatusCode() const { return bytes[kStatusAt]; }
  void SetStatusCode(uint8_t value) { bytes[kStatusAt] = value; }
  uint8_t Flags() const { return bytes[kFlagsAt]; }
  void SetFlags(uint8_t value) { bytes[kFlagsAt] = value; }
  uint8_t MemoryStart() const { return bytes[kMemoryStartAt]; }
  void SetMemoryStart(uint8_t value) { bytes[kMemoryStartAt] = value; }
  uint8_t CheckByte() const { return bytes[kCheckAt]; }

  static constexpr std::size_t kIdAt = 0;
  static constexpr std::size_t kWritePointerAt = 14;
  static constexpr std::size_t kIntervalAt = 16;
  static constexpr std::size_t kStartDelayAt = 17;
  static constexpr std::size_t kDurationAt = 18;
  static constexpr std::size_t kSpareAt = 19;
  static constexpr std::size_t kMemoryEndAt = 20;
  static constexpr std::size_t kStatusAt = 22;
  static constexpr std::size_t kFlagsAt = 23;
  static constexpr std::size_t kMemoryStartAt = 24;
  static constexpr std::size_t kCheckAt = 25;  // sum8 of the 25 bytes before it

 private:
  uint16_t Word(std::size_t at) const {
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
  }
  void SetWord(std::size_t at, uint16_t value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
  }
};

inline constexpr uint8_t kFlagBatteryLow = 0x01;
inline constexpr uint8_t kFlagTwoChannels = 0x02;
inline constexpr uint8_t kFlagSignalling = 0xF0;

// True when the received table's check byte is the sum of the 25 bytes before it.
bool VerifyInfoTab(const uint8_t* received);
// Stores the check byte after the last edit, before the table is sent.
void SealInfoTab(INFO_TAB& tab);

// The four display texts, each in its fixed NUL-terminated field; all zero when cleared.
struct InfoTexts {
  char identifier[14];
  char battery[13];
  char count[14];
  char status[20];
};
void ClearInfoTexts(InfoTexts& texts);

// What the program knows of the logger: the table copy and what was derived from it.
struct LoggerInfo {
  INFO_TAB tab{};
  InfoTexts texts{};
  uint8_t channelMode = 1;  // 1: channel A; 2: channels A and B
  uint32_t knownByteCount = 0;
};

// The identifier up to its NUL, at most 13 bytes even when the logger sent no NUL.
std::size_t LoggerIdLength(const INFO_TAB& tab);

// Fills the texts, the channel mode and the known byte count from a verified table.
void DeriveAtConnect(LoggerInfo& info);
// After a download that stored a different number of bytes than the logger accounted for.
void RecountAfterDownload(LoggerInfo& info, uint32_t byteCount);

}  // namespace zv
