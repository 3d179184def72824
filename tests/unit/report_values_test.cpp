#include "report/report_values.h"

#include <gtest/gtest.h>

#include <string>

namespace zv {
namespace {

const ReportTexts& kPl = kPolishReportTexts;
const ReportTexts& kEn = kEnglishReportTexts;

TEST(ReportValues, ReadingsAndLimitsExactlyWithTheirDecimalsTrimmed) {
  const struct {
    int32_t sixteenths;
    const char* polish;
    const char* english;
  } cases[] = {
      {0, "0,0 °C", "0.0 °C"},
      {-1, "-0,0625 °C", "-0.0625 °C"},
      {128, "8,0 °C", "8.0 °C"},
      {40, "2,5 °C", "2.5 °C"},
      {117, "7,3125 °C", "7.3125 °C"},
      {-2048, "-128,0 °C", "-128.0 °C"},
      {2047, "127,9375 °C", "127.9375 °C"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DegreesText(c.sixteenths, kPl), c.polish) << c.sixteenths;
    EXPECT_EQ(DegreesText(c.sixteenths, kEn), c.english) << c.sixteenths;
  }
}

TEST(ReportValues, MeanRoundsHalfAwayFromZeroFromTheExactSum) {
  const struct {
    int64_t sum;  // sixteenths
    uint32_t count;
    int64_t hundredths;
  } cases[] = {
      {8, 1, 50},  {1, 8, 1},           {-1, 8, -1},  // 0.0078125 and its negative
      {2, 1, 13},  {-2, 1, -13},                      // 0.125: a tie, away from zero
      {-1, 1, -6}, {100 * 16, 3, 3333}, {0, 5, 0},   {2047 * 16384LL, 16384, 12794},  // 127.9375
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MeanHundredths(c.sum, c.count), c.hundredths) << c.sum << "/" << c.count;
  }
  ChannelStats stats;
  stats.sum = -2;
  stats.count = 1;
  EXPECT_EQ(MeanText(stats, kPl), "-0,13 °C");
}

TEST(ReportValues, DurationsAndTheirDays) {
  const struct {
    int64_t seconds;
    const char* text;
  } cases[] = {
      {0, "0:00:00"},      {59, "0:00:59"},         {3600, "1:00:00"},
      {86399, "23:59:59"}, {86400, "1 d 00:00:00"}, {2457300, "28 d 10:35:00"},
  };
  for (const auto& c : cases) EXPECT_EQ(DurationText(c.seconds, kPl), c.text) << c.seconds;
}

TEST(ReportValues, ReadingCountsTakeTheLanguagesPluralForms) {
  const struct {
    uint64_t count;
    const char* polish;
    const char* english;
  } cases[] = {
      {0, "0 odczytów", "0 readings"},       {1, "1 odczyt", "1 reading"},
      {2, "2 odczyty", "2 readings"},        {4, "4 odczyty", "4 readings"},
      {5, "5 odczytów", "5 readings"},       {12, "12 odczytów", "12 readings"},
      {22, "22 odczyty", "22 readings"},     {112, "112 odczytów", "112 readings"},
      {101, "101 odczytów", "101 readings"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadingsText(c.count, kPl), c.polish);
    EXPECT_EQ(ReadingsText(c.count, kEn), c.english);
  }
}

TEST(ReportValues, ShareInRangeNeverRoundsUpToAll) {
  const struct {
    double share;
    const char* text;
  } cases[] = {
      {1.0, "100,0 %"}, {8191.0 / 8192, "99,9 %"}, {0.7, "70,0 %"},
      {0.0, "0,0 %"},   {1.0 / 3, "33,3 %"},       {0.2795, "27,9 %"},
  };
  for (const auto& c : cases) EXPECT_EQ(PercentText(c.share, kPl), c.text) << c.share;
}

TEST(ReportValues, ASlotsTimeAsFarAsItIsKnown) {
  SlotTime slot;
  slot.slot = 12;
  EXPECT_EQ(SlotTimeText(slot, kPl), "próbka 12");
  slot.elapsed = 93784;
  EXPECT_EQ(SlotTimeText(slot, kEn), "+1 d 02:03:04 (sample 12)");
  slot.utc = 1774749540;  // 2026-03-29T01:59:00Z
  slot.offset = 7200;
  EXPECT_EQ(SlotTimeText(slot, kPl), "2026-03-29 03:59:00 UTC+02:00");
  EXPECT_EQ(ClockText(-1, -3600), "1969-12-31 22:59:59 UTC-01:00");
  EXPECT_EQ(ClockText(1774749540, 1172), "2026-03-29 02:18:32 UTC+00:19:32");
}

TEST(ReportValues, DerivedTemperaturesToTwoDecimalsWithoutANegativeZero) {
  EXPECT_EQ(HundredthsText(21.974, kPl), "21,97 °C");
  EXPECT_EQ(HundredthsText(-0.004, kPl), "0,00 °C");
  EXPECT_EQ(HundredthsText(-6.499, kEn), "-6.50 °C");
  EXPECT_EQ(EnergyText(83144, kPl), "83,144");
  // However long a figure's text, it is written whole and nothing past it is read.
  EXPECT_EQ(EnergyText(1e95, kPl).size(), 93u + 4u);
}

}  // namespace
}  // namespace zv
