#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/info_tab.h"
#include "base/text1250.h"
#include "base/value_tables.h"
#include "link/frames.h"

namespace zv {
namespace {

INFO_TAB Table(uint16_t writePointer, uint8_t memoryStart, uint16_t memoryEnd, uint8_t flags,
               uint8_t status = 0, const char* id = "KV-1") {
  INFO_TAB tab{};
  std::memcpy(tab.bytes, id, std::strlen(id));
  tab.SetWritePointer(writePointer);
  tab.SetMemoryEnd(memoryEnd);
  tab.SetStatusCode(status);
  tab.SetFlags(flags);
  tab.SetMemoryStart(memoryStart);
  SealInfoTab(tab);
  return tab;
}

TEST(Sum8, Vectors) {
  const uint8_t abc[] = {0x61, 0x62, 0x63};
  EXPECT_EQ(sum8(abc, 3), 0x26);
  uint8_t ff[25];
  std::memset(ff, 0xFF, sizeof ff);
  EXPECT_EQ(sum8(ff, 25), 0xE7);
}

TEST(InfoTab, VerifyRejectsAnyChangedByte) {
  INFO_TAB tab = Table(0x0120, 0x20, 0x7FFE, 0);
  EXPECT_TRUE(VerifyInfoTab(tab.bytes));
  for (std::size_t i = 0; i < kInfoTabSize; ++i) {
    INFO_TAB changed = tab;
    changed.bytes[i] ^= 0x01;
    EXPECT_FALSE(VerifyInfoTab(changed.bytes)) << "byte " << i;
  }
}

struct CountCase {
  uint16_t writePointer;
  uint8_t memoryStart;
  uint16_t memoryEnd;
  uint8_t flags;
  const char* atConnect;
  uint32_t known;
  uint32_t recountN;  // 0: no recount
  const char* afterRecount;
};

TEST(InfoTab, CountTextsAtConnectAndAfterRecount) {
  const CountCase cases[] = {
      {0x0120, 0x20, 0x7FFE, 0x00, "128 / 16368", 256, 300, "150 / 16368"},
      {0x0120, 0x20, 0x7FFE, 0x02, "64 / 8184", 256, 0, nullptr},
      {0x0020, 0x20, 0x7FFE, 0x00, "0 / 16368", 0, 0, nullptr},
      {0x0010, 0x20, 0x7FFE, 0x00, "32760 / 16368", 65520, 0, nullptr},  // wraps
      {0x0020, 0x20, 0x7FE0, 0x02, "0 / 8176", 0, 8, "2 / 8177"},
      {0x0020, 0x20, 0x7FE0, 0x00, "0 / 16353", 0, 8, "4 / 16353"},
      {0xFFFF, 0x00, 0xFFFF, 0x00, "32767 / 0", 65535, 0, nullptr},  // capacity wraps to 1
  };
  for (const CountCase& c : cases) {
    LoggerInfo info;
    info.tab = Table(c.writePointer, c.memoryStart, c.memoryEnd, c.flags);
    DeriveAtConnect(info);
    EXPECT_STREQ(info.texts.count, c.atConnect) << c.atConnect;
    EXPECT_EQ(info.knownByteCount, c.known) << c.atConnect;
    if (c.recountN == 0) continue;
    RecountAfterDownload(info, c.recountN);
    EXPECT_STREQ(info.texts.count, c.afterRecount);
    EXPECT_EQ(info.knownByteCount, c.recountN);
    EXPECT_EQ(info.tab.WritePointer(), static_cast<uint16_t>(c.recountN + c.memoryStart));
  }
}

TEST(InfoTab, FlagsAndStatusTexts) {
  struct {
    uint8_t flags, status;
    const char8_t* battery;
    uint8_t channelMode;
    const char8_t* statusText;
  } const cases[] = {
      {0x0F, 9, u8"ROZŁADOWANA!", 2, u8"Błąd DS18B20(B)    "},
      {0x10, 4, u8"OK", 1, u8"Pomiar zakończony  "},
      {0x0C, 0, u8"OK", 1, u8"Nie zaprogramowany "},   // bits 2 and 3 change nothing
      {0x00, 10, u8"OK", 1, u8"?                  "},  // beyond the table: a placeholder
      {0x00, 255, u8"OK", 1, u8"?                  "},
  };
  for (const auto& c : cases) {
    LoggerInfo info;
    info.tab = Table(0x20, 0x20, 0x7FFE, c.flags, c.status);
    DeriveAtConnect(info);
    std::string battery, status;
    for (const char8_t* p = c.battery; *p; ++p) battery += static_cast<char>(*p);
    for (const char8_t* p = c.statusText; *p; ++p) status += static_cast<char>(*p);
    char utf8[64];
    Cp1250ToUtf8(info.texts.battery, utf8, sizeof utf8);
    EXPECT_EQ(battery, utf8);
    Cp1250ToUtf8(info.texts.status, utf8, sizeof utf8);
    EXPECT_EQ(status, utf8);
    EXPECT_EQ(info.channelMode, c.channelMode);
  }
}

TEST(InfoTab, IdentifierWithoutNulIsCutToThirteenBytes) {
  LoggerInfo info;
  std::memset(info.tab.bytes, 'A', 14);
  DeriveAtConnect(info);
  EXPECT_EQ(std::string(info.texts.identifier), std::string(13, 'A'));
  EXPECT_EQ(LoggerIdLength(info.tab), 13u);
}

TEST(ValueTables, EntriesHaveTheirWidthAndIndicesBeyondGiveThePlaceholder) {
  EXPECT_STREQ(IntervalTexts.Entry(11), " 1,5 h ");
  EXPECT_STREQ(IntervalTexts.Entry(17), " ?     ");
  EXPECT_STREQ(StartDelayTexts.Entry(200), " ?          ");
  EXPECT_STREQ(PortNames.Entry(2) + 1, "COM3");
  EXPECT_EQ(std::strlen(Cp1250(u8"ROZŁADOWANA!").c_str()), 12u);
}

TEST(Frames, CommandFramesSumToZero) {
  const uint8_t expected[4][4] = {{0xA1, 0x01, 0x04, 0x5A},
                                  {0xA1, 0x02, 0x08, 0x55},
                                  {0xA1, 0x03, 0x0C, 0x50},
                                  {0xA1, 0x04, 0x10, 0x4B}};
  for (uint8_t k = 1; k <= 4; ++k) {
    const CommandFrame frame = MakeCommandFrame(k);
    EXPECT_EQ(0, std::memcmp(frame.bytes, expected[k - 1], 4)) << "command " << int{k};
    EXPECT_EQ(sum8(frame.bytes, 4), 0);
  }
  EXPECT_EQ(0, std::memcmp(StopFrame, "\0\0\0\0", 4));
}

}  // namespace
}  // namespace zv
