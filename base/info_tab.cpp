#include "base/info_tab.h"

#include <cstdio>
#include <cstring>

#include "base/text1250.h"
#include "base/value_tables.h"

namespace zv {

namespace {
constexpr auto kBatteryOk = Cp1250(u8"OK");
constexpr auto kBatteryLow = Cp1250(u8"ROZŁADOWANA!");

template <std::size_t N>
void CopyText(char (&field)[N], const char* text) {
  std::memset(field, 0, N);
  for (std::size_t i = 0; i + 1 < N && text[i] != '\0'; ++i) field[i] = text[i];
}

void FormatCount(InfoTexts& texts, unsigned samples, unsigned capacity) {
  // Both numbers are at most 65535, so "65535 / 65535" fills the field exactly.
  std::memset(texts.count, 0, sizeof texts.count);
  std::snprintf(texts.count, sizeof texts.count, "%u / %u", samples, capacity);
}
}  // namespace

uint8_t sum8(const uint8_t* bytes, std::size_t n) {
  uint8_t sum = 0;
  for (std::size_t i = 0; i < n; ++i) sum = static_cast<uint8_t>(sum + bytes[i]);
  return sum;
}

bool VerifyInfoTab(const uint8_t* received) {
  return received[INFO_TAB::kCheckAt] == sum8(received, INFO_TAB::kCheckAt);
}

void SealInfoTab(INFO_TAB& tab) {
  tab.bytes[INFO_TAB::kCheckAt] = sum8(tab.bytes, INFO_TAB::kCheckAt);
}

void ClearInfoTexts(InfoTexts& texts) {
  std::memset(&texts, 0, sizeof texts);
}

std::size_t LoggerIdLength(const INFO_TAB& tab) {
  std::size_t n = 0;
  while (n < kLoggerIdSize - 1 && tab.LoggerId()[n] != 0) ++n;
  return n;
}

void DeriveAtConnect(LoggerInfo& info) {
  const INFO_TAB& tab = info.tab;
  InfoTexts& texts = info.texts;

  std::memset(texts.identifier, 0, sizeof texts.identifier);
  std::memcpy(texts.identifier, tab.LoggerId(), LoggerIdLength(tab));

  CopyText(texts.battery,
           (tab.Flags() & kFlagBatteryLow) ? kBatteryLow.c_str() : kBatteryOk.c_str());

  const uint16_t used = static_cast<uint16_t>(tab.WritePointer() - tab.MemoryStart());
  info.knownByteCount = used;
  const uint16_t capacity = static_cast<uint16_t>(tab.MemoryEnd() - tab.MemoryStart() + 2);
  info.channelMode = static_cast<uint8_t>(((tab.Flags() & kFlagTwoChannels) >> 1) + 1);
  FormatCount(texts, used >> info.channelMode, capacity >> info.channelMode);

  CopyText(texts.status, StatusTexts.Entry(tab.StatusCode()));
}

void RecountAfterDownload(LoggerInfo& info, uint32_t byteCount) {
  INFO_TAB& tab = info.tab;
  const unsigned first = (byteCount % 65536u) >> info.channelMode;
  const uint16_t span = static_cast<uint16_t>(tab.MemoryEnd() - tab.MemoryStart());
  const unsigned second = (span >> info.channelMode) + 1u;
  FormatCount(info.texts, first, second);
  info.knownByteCount = byteCount;
  tab.SetWritePointer(static_cast<uint16_t>(byteCount + tab.MemoryStart()));
}

}  // namespace zv
