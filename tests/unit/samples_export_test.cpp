#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/text1250.h"
#include "samples/export_file.h"
#include "tests/support/string_sink.h"

namespace zv {
namespace {

using test::StringSink;

LoggerInfo MakeInfo(uint8_t mode) {
  LoggerInfo info{};
  info.tab.SetIntervalIndex(11);   // "1,5 h "
  info.tab.SetStartDelayIndex(1);  // "Po 10s     "
  info.tab.SetDurationIndex(2);    // "przez 10 min"
  info.channelMode = mode;
  std::strcpy(info.texts.identifier, "KV-01");
  std::strcpy(info.texts.count, "3 / 8184");
  std::memcpy(info.texts.status, Cp1250(u8"Pomiar zakończony  ").bytes, 19);
  return info;
}

std::string Export(const LoggerInfo& info, std::vector<uint8_t> bytes, uint32_t n) {
  auto samples = std::make_unique<SampleBuffer>();
  if (!bytes.empty()) std::memcpy(samples->bytes, bytes.data(), bytes.size());
  samples->n = n;
  StringSink sink;
  WriteExportFile(*samples, info, sink);
  return sink.text;
}

TEST(SamplesExport, WholeFileByteForByte) {
  constexpr auto kTwoChannels = Cp1250(
      u8"Zorvant v2.0\r\n---------------------------------------\r\n"
      u8"Logger_ID    \t\tKV-01\r\nStart:       \t\tPo 10s     \r\n"
      u8"Pomiar co:   \t\t1,5 h \r\nZbieraj dane:\t\tprzez 10 min\r\n"
      u8"---------------------------------------\r\nLiczba próbek\t\t3 / 8184\r\n"
      u8"Źródło:      \t\tkanały A,B\r\nSTATUS       \t\tPomiar zakończony  \r\n"
      u8"---------------------------------------\r\n23,0625\t-1,0000\r\n125,0000\t");
  EXPECT_EQ(Export(MakeInfo(2), {0x71, 0x01, 0xF0, 0xFF, 0xD0, 0x07}, 6), kTwoChannels.view());

  constexpr auto kOneChannel = Cp1250(
      u8"Zorvant v2.0\r\n---------------------------------------\r\n"
      u8"Logger_ID    \t\tKV-01\r\nStart:       \t\tPo 10s     \r\n"
      u8"Pomiar co:   \t\t1,5 h \r\nZbieraj dane:\t\tprzez 10 min\r\n"
      u8"---------------------------------------\r\nLiczba próbek\t\t3 / 8184\r\n"
      u8"Źródło:      \t\tkanał A   \r\nSTATUS       \t\tPomiar zakończony  \r\n"
      u8"---------------------------------------\r\n23,0625\r\n-1,0000\r\n");
  EXPECT_EQ(Export(MakeInfo(1), {0x71, 0x01, 0xF0, 0xFF, 0x99}, 5), kOneChannel.view());
}

TEST(SamplesExport, DataLines) {
  struct Case {
    uint8_t mode;
    uint32_t n;
    std::string data;
  };
  const std::vector<uint8_t> bytes = {0x71, 0x01, 0xF0, 0xFF, 0xD0, 0x07, 0x00, 0x08, 0x55};
  const Case cases[] = {
      {1, 0, ""},
      {1, 1, ""},
      {2, 1, ""},
      {2, 7, "23,0625\t-1,0000\r\n125,0000\t"},
      {2, 8, "23,0625\t-1,0000\r\n125,0000\t-128,0000\r\n"},
      {1, 9, "23,0625\r\n-1,0000\r\n125,0000\r\n-128,0000\r\n"},
  };
  for (const Case& c : cases) {
    const std::string header = Export(MakeInfo(c.mode), {}, 0);
    const std::string file = Export(MakeInfo(c.mode), bytes, c.n);
    ASSERT_EQ(file.substr(0, header.size()), header);
    EXPECT_EQ(file.substr(header.size()), c.data) << int{c.mode} << " " << c.n;
  }
}

TEST(SamplesExport, HeaderLinesForStrayFields) {
  struct Case {
    void (*change)(LoggerInfo&);
    std::string line;
  };
  const Case cases[] = {
      {[](LoggerInfo& i) { i.tab.SetIntervalIndex(17); }, "Pomiar co:   \t\t?     \r\n"},
      {[](LoggerInfo& i) { i.tab.SetStartDelayIndex(255); }, "Start:       \t\t?          \r\n"},
      {[](LoggerInfo& i) { i.tab.SetDurationIndex(10); }, "Zbieraj dane:\t\t?           \r\n"},
      {[](LoggerInfo& i) { i.channelMode = 0; },
       std::string(Cp1250(u8"Źródło:      \t\t?         \r\n").view())},
      {[](LoggerInfo& i) { ClearInfoTexts(i.texts); }, "STATUS       \t\t                   \r\n"},
      {[](LoggerInfo& i) { ClearInfoTexts(i.texts); }, "Logger_ID    \t\t\r\nStart:"},
      {[](LoggerInfo& i) { std::memset(i.texts.status + 6, 0, 14); },
       "STATUS       \t\tPomiar             \r\n"},
      {[](LoggerInfo& i) { std::memset(i.texts.identifier, 'X', 14); },
       "Logger_ID    \t\tXXXXXXXXXXXXX\r\n"},
  };
  for (const Case& c : cases) {
    LoggerInfo info = MakeInfo(1);
    c.change(info);
    const std::string file = Export(info, {}, 0);
    EXPECT_NE(file.find(c.line), std::string::npos) << c.line;
    EXPECT_EQ(file.find('\0'), std::string::npos);
  }
}

TEST(SamplesExport, ByteCountIsBoundedByTheBuffer) {
  const std::string header = Export(MakeInfo(1), {}, 0);
  EXPECT_EQ(Export(MakeInfo(1), {}, 40000).size(), header.size() + 16384 * 8);  // "0,0000\r\n"
}

}  // namespace
}  // namespace zv
