#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "samples/civil_time.h"
#include "samples/export_csv.h"
#include "samples/export_json.h"
#include "samples/reading.h"
#include "samples/reading_number.h"
#include "samples/sample_interval.h"
#include "tests/support/string_sink.h"

namespace zv {
namespace {

using test::StringSink;

// 23.0625, -1.0000, 125.0000, -128.0000, then an odd byte.
const std::vector<uint8_t> kBytes = {0x71, 0x01, 0xF0, 0xFF, 0xD0, 0x07, 0x00, 0x08, 0x55};

struct Memory {
  std::unique_ptr<SampleBuffer> samples = std::make_unique<SampleBuffer>();
  LoggerInfo info;
  Memory(uint8_t mode, uint32_t n, uint8_t interval) {
    std::memcpy(samples->bytes, kBytes.data(), kBytes.size());
    samples->n = n;
    info.channelMode = mode;
    info.tab.SetIntervalIndex(interval);
  }
};

std::string Csv(const Memory& m, const char* start = nullptr,
                CsvDialect dialect = CsvDialect::Rfc4180) {
  CsvOptions options;
  options.dialect = dialect;
  if (start != nullptr) {
    options.hasStart = true;
    EXPECT_EQ(ParseStartTime(start, options.start), StartTimeError::None);
  }
  StringSink sink;
  WriteCsvExport(*m.samples, m.info, options, sink);
  return sink.text;
}

TEST(SamplesExportFormats, Csv) {
  struct Case {
    uint8_t mode;
    uint32_t n;
    uint8_t interval;
    const char* start;
    std::string csv;
  };
  const Case cases[] = {
      {1, 0, 0, nullptr, "index,elapsed_s,a_celsius\r\n"},
      {1, 5, 0, nullptr, "index,elapsed_s,a_celsius\r\n0,0,23.0625\r\n1,1,-1.0000\r\n"},
      {2, 9, 16, nullptr,
       "index,elapsed_s,a_celsius,b_celsius\r\n0,0,23.0625,-1.0000\r\n"
       "1,18000,125.0000,-128.0000\r\n"},
      {2, 6, 11, "2026-12-31T23:00:00+01:00",
       "index,elapsed_s,time,a_celsius,b_celsius\r\n"
       "0,0,2026-12-31T23:00:00+01:00,23.0625,-1.0000\r\n"
       "1,5400,2027-01-01T00:30:00+01:00,125.0000,\r\n"},
      {2, 3, 17, "2026-12-01T08:00:00Z",
       "index,elapsed_s,time,a_celsius,b_celsius\r\n0,,,23.0625,\r\n"},
      {1, 4, 255, nullptr, "index,elapsed_s,a_celsius\r\n0,,23.0625\r\n1,,-1.0000\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Csv(Memory(c.mode, c.n, c.interval), c.start), c.csv)
        << int{c.mode} << " " << c.n << " " << int{c.interval};
  }
}

TEST(SamplesExportFormats, Json) {
  struct Case {
    uint8_t mode;
    uint32_t n;
    uint8_t interval;
    std::string tail;  // after {"info": {"x": 1},
  };
  const Case cases[] = {
      {1, 1, 0,
       " \"interval_s\": 1, \"byte_count\": 1, \"slot_count\": 0, \"readings\": {\"a\": []}, "
       "\"partial_slot\": null}\n"},
      {1, 5, 16,
       " \"interval_s\": 18000, \"byte_count\": 5, \"slot_count\": 2, \"readings\": {\"a\": "
       "[23.0625, -1.0000]}, \"partial_slot\": null}\n"},
      {2, 6, 17,
       " \"interval_s\": null, \"byte_count\": 6, \"slot_count\": 1, \"readings\": {\"a\": "
       "[23.0625], \"b\": [-1.0000]}, \"partial_slot\": {\"slot\": 1, \"a\": 125.0000}}\n"},
      {2, 8, 0,
       " \"interval_s\": 1, \"byte_count\": 8, \"slot_count\": 2, \"readings\": {\"a\": "
       "[23.0625, 125.0000], \"b\": [-1.0000, -128.0000]}, \"partial_slot\": null}\n"},
  };
  for (const Case& c : cases) {
    const Memory m(c.mode, c.n, c.interval);
    StringSink sink;
    WriteJsonExport(*m.samples, m.info, "{\"x\": 1}", sink);
    EXPECT_EQ(sink.text, "{\"info\": {\"x\": 1}," + c.tail) << int{c.mode} << " " << c.n;
  }
}

// Every word's number is the value of its decimal text, whatever its bits.
TEST(SamplesExportFormats, NumbersAreTheReadingTexts) {
  for (uint32_t word = 0; word <= 0xFFFF; ++word) {
    char text[kReadingTextCapacity];
    ReadingText(static_cast<uint16_t>(word), text);
    for (char& c : text) c = c == ',' ? '.' : c;
    char dot[kReadingTextCapacity];
    ReadingDotText(static_cast<uint16_t>(word), dot);
    char decimal[kDecimalTextCapacity];
    DecimalText(ReadingTenThousandths(static_cast<uint16_t>(word)), decimal);
    ASSERT_STREQ(dot, text) << word;
    ASSERT_STREQ(decimal, text) << word;
  }
  char decimal[kDecimalTextCapacity];
  DecimalText(-625, decimal);
  EXPECT_STREQ(decimal, "-0.0625");
}

// Forms, ranges and the daylight-saving changes of a real zone: a local start follows the
// zone's rules slot by slot; one the clock skips or shows twice is refused.
TEST(SamplesExportFormats, StartTimes) {
  const char* previous = std::getenv("TZ");
  const std::string saved = previous != nullptr ? previous : "";
  setenv("TZ", "Europe/Warsaw", 1);
  tzset();
  using E = StartTimeError;
  struct Case {
    const char* text;
    E error;
    int64_t step;       // seconds to the second time written
    const char* first;  // the start as written, then one step later
    const char* second;
  };
  const Case cases[] = {
      {"2026-03-29T01:59:00", E::None, 60, "2026-03-29T01:59:00+01:00",
       "2026-03-29T03:00:00+02:00"},
      {"2026-10-25T01:30:00", E::None, 3600, "2026-10-25T01:30:00+02:00",
       "2026-10-25T02:30:00+02:00"},
      {"2026-10-25T03:00:00", E::None, -3600, "2026-10-25T03:00:00+01:00",
       "2026-10-25T02:00:00+01:00"},
      {"2026-03-29T02:30:00", E::SkippedLocal, 0, "", ""},
      {"2026-10-25T02:30:00", E::RepeatedLocal, 0, "", ""},
      {"2026-10-25T02:30:00+01:00", E::None, 0, "2026-10-25T02:30:00+01:00", ""},
      {"2026-12-01T08:00:00Z", E::None, 86400, "2026-12-01T08:00:00+00:00",
       "2026-12-02T08:00:00+00:00"},
      {"2026-12-01T08:00:00-05:30", E::None, 0, "2026-12-01T08:00:00-05:30", ""},
      {"2024-02-29T23:59:59+00:00", E::None, 1, "2024-02-29T23:59:59+00:00",
       "2024-03-01T00:00:00+00:00"},
      {"9989-12-31T23:59:59Z", E::None, 16383LL * 18000, "9989-12-31T23:59:59+00:00",
       "9999-05-07T02:59:59+00:00"},
      {"2023-02-29T00:00:00Z", E::NoSuchTime, 0, "", ""},
      {"2026-12-01T24:00:00Z", E::NoSuchTime, 0, "", ""},
      {"2026-12-01 08:00:00", E::Malformed, 0, "", ""},
      {"2026-12-01T08:00", E::Malformed, 0, "", ""},
      {"2026-12-01T08:00:00+1:00", E::Malformed, 0, "", ""},
      {"2026-12-01T08:00:00+01:00x", E::Malformed, 0, "", ""},
      {"", E::Malformed, 0, "", ""},
      {"2026-12-01T08:00:00+24:00", E::OutOfRange, 0, "", ""},
      {"1899-12-31T23:59:59Z", E::OutOfRange, 0, "", ""},
      {"9990-01-01T00:00:00Z", E::OutOfRange, 0, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    StartTime start;
    ASSERT_EQ(ParseStartTime(c.text, start), c.error);
    if (c.error != E::None) continue;
    char text[kTimeTextCapacity];
    TimeText(start.utc, OffsetAt(start, start.utc), text);
    EXPECT_STREQ(text, c.first);
    if (c.step == 0) continue;
    const int64_t later = start.utc + c.step;
    TimeText(later, OffsetAt(start, later), text);
    EXPECT_STREQ(text, c.second);
  }
  if (previous != nullptr) {
    setenv("TZ", saved.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

// An offset with seconds names the instant whole, and the spreadsheet's offset cell reads as
// text: a cell that starts with its sign would be a formula.
TEST(SamplesExportFormats, OffsetsAreWrittenWholeAndAsText) {
  const char* previous = std::getenv("TZ");
  const std::string saved = previous != nullptr ? previous : "";
  const struct {
    const char* zone;
    const char* start;
    CsvDialect dialect;
    const char* row;
  } cases[] = {
      {"<+013015>-1:30:15", "2026-12-01T08:00:00", CsvDialect::Rfc4180,
       "0,0,2026-12-01T08:00:00+01:30:15,23.0625\r\n"},
      {"<-001932>0:19:32", "2026-12-01T08:00:00", CsvDialect::ExcelPolish,
       "0;0;2026-12-01 08:00:00;UTC-00:19:32;23,0625\r\n"},
      {"UTC0", "2026-12-01T08:00:00-05:00", CsvDialect::ExcelPolish,
       "0;0;2026-12-01 08:00:00;UTC-05:00;23,0625\r\n"},
  };
  for (const auto& c : cases) {
    setenv("TZ", c.zone, 1);
    tzset();
    const std::string csv = Csv(Memory(1, 2, 0), c.start, c.dialect);
    EXPECT_EQ(csv.substr(csv.find('\n') + 1), c.row) << c.zone;
  }
  if (previous != nullptr) {
    setenv("TZ", saved.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

// The seconds table says what the interval texts say: "1,5 h " is 5400 s.
TEST(SamplesExportFormats, IntervalSecondsMatchTheirTexts) {
  for (uint8_t i = 0; i < IntervalTexts.kCount; ++i) {
    std::string text(IntervalTexts.Entry(i) + 1, IntervalTexts.kWidth - 1);
    for (char& c : text) c = c == ',' ? '.' : c;
    std::istringstream words(text);
    double amount = 0;
    std::string unit;
    words >> amount >> unit;
    const double scale = unit == "s" ? 1 : unit == "min" ? 60 : 3600;
    uint32_t seconds = 0;
    ASSERT_TRUE(IntervalSeconds(i, seconds));
    EXPECT_EQ(seconds, static_cast<uint32_t>(amount * scale)) << text;
  }
  uint32_t seconds = 7;
  EXPECT_FALSE(IntervalSeconds(IntervalTexts.kCount, seconds));
  EXPECT_EQ(seconds, 7u);
}

}  // namespace
}  // namespace zv
