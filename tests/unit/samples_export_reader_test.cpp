#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/text1250.h"
#include "samples/export_file.h"
#include "samples/export_reader.h"
#include "samples/reading.h"
#include "tests/support/string_sink.h"

namespace zv {
namespace {

using test::StringSink;

std::string Export(const SampleBuffer& samples, uint8_t mode) {
  LoggerInfo info{};
  info.channelMode = mode;
  std::strcpy(info.texts.identifier, "KV-01");
  StringSink sink;
  WriteExportFile(samples, info, sink);
  return sink.text;
}

// Reads from a copy of exactly the file's length, so that any read past it is caught.
ExportReadResult Read(const std::string& file, SampleBuffer& samples, uint8_t& mode) {
  auto copy = std::make_unique<char[]>(file.size() + 1);
  std::memcpy(copy.get(), file.data(), file.size());
  return ReadExportFile(copy.get(), file.size(), samples, mode);
}

uint16_t WordAt(const SampleBuffer& b, std::size_t i) {
  return static_cast<uint16_t>(b.bytes[2 * i] | b.bytes[2 * i + 1] << 8);
}

TEST(ChartExportReader, EveryWordComesBackAsItsTextSays) {
  // All 65,536 words, 16,384 to a file: the text reads back exactly, and the word comes back
  // as the sensor stores that value (bits 12-15 the sign's copies): each of the 4,096 words the
  // sensor can send comes back unchanged, and so do its whole degrees on the chart.
  auto samples = std::make_unique<SampleBuffer>();
  auto back = std::make_unique<SampleBuffer>();
  uint32_t unchanged = 0;
  for (uint32_t first = 0; first < 0x10000; first += 0x4000) {
    for (uint32_t i = 0; i < 0x4000; ++i) {
      samples->bytes[2 * i] = static_cast<uint8_t>(first + i);
      samples->bytes[2 * i + 1] = static_cast<uint8_t>((first + i) >> 8);
    }
    samples->n = kSampleBufferSize;
    uint8_t mode = 0;
    ASSERT_EQ(Read(Export(*samples, 1), *back, mode).status, ExportReadStatus::Ok);
    ASSERT_EQ(back->n, kSampleBufferSize);
    EXPECT_EQ(mode, 1);
    for (uint32_t i = 0; i < 0x4000; ++i) {
      const uint16_t word = static_cast<uint16_t>(first + i);
      const uint16_t got = WordAt(*back, i);
      const uint16_t sensorWord = static_cast<uint16_t>(ReadingSixteenths(word));
      ASSERT_EQ(got, sensorWord) << std::hex << word;
      ASSERT_EQ(WholeDegrees(got), WholeDegrees(word)) << std::hex << word;
      if (got == word) ++unchanged;
    }
  }
  EXPECT_EQ(unchanged, 4096u);
}

TEST(ChartExportReader, LayoutsAndTheLimitsOfText) {
  struct Case {
    const char* name;
    std::vector<uint16_t> words;
    uint32_t n;
    uint8_t mode;
    std::vector<uint16_t> want;  // the words read back
  };
  const Case cases[] = {
      {"two channels, odd word count ends in a tab",
       {0x0171, 0xFFF0, 0x07D0},
       6,
       2,
       {0x0171, 0xFFF0, 0x07D0}},
      {"an odd last byte is not exported", {0x0171, 0x0099}, 3, 1, {0x0171}},
      {"bits 12-15 come back as the sign's copies", {0xF008, 0x7FF8}, 4, 1, {0x0008, 0xFFF8}},
      {"between -1 and 0 the minus is kept", {0xFFF8, 0xFFFF}, 4, 2, {0xFFF8, 0xFFFF}},
      {"no readings", {}, 0, 2, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto samples = std::make_unique<SampleBuffer>();
    for (std::size_t i = 0; i < c.words.size(); ++i) {
      samples->bytes[2 * i] = static_cast<uint8_t>(c.words[i]);
      samples->bytes[2 * i + 1] = static_cast<uint8_t>(c.words[i] >> 8);
    }
    samples->n = c.n;
    auto back = std::make_unique<SampleBuffer>();
    uint8_t mode = 0;
    ASSERT_EQ(Read(Export(*samples, c.mode), *back, mode).status, ExportReadStatus::Ok);
    EXPECT_EQ(mode, c.mode);
    ASSERT_EQ(back->n, 2 * c.want.size());
    for (std::size_t i = 0; i < c.want.size(); ++i) EXPECT_EQ(WordAt(*back, i), c.want[i]);
  }
}

TEST(ChartExportReader, RefusesWhatTheExportNeverWrites) {
  const std::string header1 =
      Cp1250(
          u8"Zorvant v2.0\r\n-----\r\nLogger_ID    \t\tKV\r\nStart:       \t\tNatychmiast\r\n"
          u8"Pomiar co:   \t\t1 s   \r\nZbieraj dane:\t\tbez limitu  \r\n-----\r\n"
          u8"Liczba próbek\t\t1 / 10\r\nŹródło:      \t\tkanał A   \r\n"
          u8"STATUS       \t\tPomiar w toku      \r\n-----\r\n")
          .c_str();
  std::string header2 = header1;
  header2.replace(header2.find("kana"), 10, Cp1250(u8"kanały A,B").c_str());
  using S = ExportReadStatus;
  struct Case {
    std::string file;
    S status;
    uint32_t line;
  };
  const Case cases[] = {
      {header1 + "23,0625\r\n-1,5000\n", S::Ok, 0},  // LF alone is read too
      {header1 + "23,0625", S::Ok, 0},
      {"", S::NotAnExport, 0},
      {header1.substr(0, header1.size() - 7), S::NotAnExport, 10},
      {std::string(header1).replace(header1.find("kana"), 10, "?         "), S::NotAnExport, 11},
      {std::string(header1).replace(header1.find("STATUS"), 6, "Status"), S::NotAnExport, 11},
      // saved again by an editor in UTF-8
      {reinterpret_cast<const char*>(u8"Zorvant v2.0\r\n-----\r\nLiczba próbek\t\t1 / 10\r\n"),
       S::SavedAsUtf8, 0},
      {header1 + "23,0624\r\n", S::BadReading, 12},
      {header1 + "1,0625\r\n023,0625\r\n", S::BadReading, 13},
      {header1 + "-0,0000\r\n", S::BadReading, 12},
      {header1 + "-128,0000\r\n-0,5000\r\n", S::Ok, 0},
      {header1 + "-128,0625\r\n", S::BadReading, 12},
      {header1 + "128,0000\r\n", S::BadReading, 12},
      {header1 + "-129,0000\r\n", S::BadReading, 12},
      {header1 + "23,062\r\n", S::BadReading, 12},
      {header1 + "23.0625\r\n", S::BadReading, 12},
      {header1 + "23,0625\r\n\r\n", S::BadReading, 13},
      {header1 + "23,0625\t1,0000\r\n", S::BadReading, 12},
      {header2 + "23,0625\r\n", S::BadReading, 12},
      {header2 + "23,0625\t1,0000\t", S::BadReading, 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.substr(c.file.size() > 30 ? c.file.size() - 30 : 0));
    auto samples = std::make_unique<SampleBuffer>();
    samples->n = 77;
    samples->bytes[0] = 0x55;
    uint8_t mode = 9;
    const ExportReadResult got = Read(c.file, *samples, mode);
    EXPECT_EQ(got.status, c.status);
    EXPECT_EQ(got.line, c.line);
    if (c.status != S::Ok) {  // a file that does not read leaves everything as it was
      EXPECT_EQ(samples->n, 77u);
      EXPECT_EQ(samples->bytes[0], 0x55);
      EXPECT_EQ(mode, 9);
    }
  }

  std::string full = header1;
  for (int i = 0; i <= 16384; ++i) full += "1,0000\r\n";
  auto samples = std::make_unique<SampleBuffer>();
  uint8_t mode = 0;
  EXPECT_EQ(Read(full, *samples, mode).status, S::TooManyReadings);
}

TEST(ChartExportReader, AnyDamageReadsSafely) {
  // Every cut of a good file, and random damage to it: under the sanitizers, nothing is read or
  // written out of bounds; every cut at a line end still reads.
  auto samples = std::make_unique<SampleBuffer>();
  for (uint32_t i = 0; i < 64; ++i) samples->bytes[i] = static_cast<uint8_t>(i * 37);
  samples->n = 64;
  const std::string good = Export(*samples, 2);
  auto back = std::make_unique<SampleBuffer>();
  uint8_t mode = 0;
  for (std::size_t cut = 0; cut <= good.size(); ++cut) {
    const ExportReadResult r = Read(good.substr(0, cut), *back, mode);
    const bool atLineEnd = cut > 0 && good[cut - 1] == '\n';
    if (atLineEnd && std::count(good.begin(), good.begin() + cut, '\n') >= 11) {
      EXPECT_EQ(r.status, ExportReadStatus::Ok) << cut;
    }
  }
  std::mt19937 random(8);
  for (int round = 0; round < 3000; ++round) {
    std::string damaged = good;
    for (int k = 0; k < 3; ++k) {
      damaged[random() % damaged.size()] = static_cast<char>(random() % 256);
    }
    Read(damaged, *back, mode);
    EXPECT_LE(back->n, kSampleBufferSize);
  }
}

}  // namespace
}  // namespace zv
