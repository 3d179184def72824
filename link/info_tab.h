// The logger's 26-byte information table and everything derived from it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zv {

inline constexpr std::size_t kInfoTabSize = 26;
inline constexpr std::size_t kLoggerIdSize = 14;

// The 8-bit wrap-around sum of n bytes.
uint8_t sum8(const uint8_t* bytes, std::size_t n);

// The table as it travels on the wire; multi-byte fields are little-endian.
struct INFO_TAB {
  uint8_t bytes[kInfoTabSize]{};

  uint16_t WritePointer() const { return static_cast<uint16_t>(bytes[14] | bytes[15] << 8); }
  void SetWritePointer(uint16_t value) {
    bytes[14] = static_cast<uint8_t>(value);
    bytes[15] = static_cast<uint8_t>(value >> 8);
  }
  uint8_t IntervalIndex() const { return bytes[16]; }
  uint8_t StartDelayIndex() const { return bytes[17]; }
  uint8_t DurationIndex() const { return bytes[18]; }
  uint16_t MemoryEnd() const { return static_cast<uint16_t>(bytes[20] | bytes[21] << 8); }
  uint8_t StatusCode() const { return bytes[22]; }
  uint8_t Flags() const { return bytes[23]; }
  uint8_t MemoryStart() const { return bytes[24]; }
  uint8_t CheckByte() const { return bytes[25]; }
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
