#include "report/report_values.h"

#include <cmath>
#include <cstdio>

#include "samples/reading_number.h"

namespace zv {

namespace {

// The whole text, however long: measured first, then written into a string of that size.
std::string Printed(const char* format, auto... args) {
  const int n = std::snprintf(nullptr, 0, format, args...);
  if (n <= 0) return {};
  std::string text(static_cast<std::size_t>(n), '\0');
  std::snprintf(text.data(), text.size() + 1, format, args...);
  return text;
}

// "12.34" in the language's separator.
std::string WithSeparator(std::string text, const ReportTexts& texts) {
  for (char& c : text) {
    if (c == '.') c = texts.decimalSeparator;
  }
  return text;
}

// Which plural form a count takes.
const char* ReadingWord(uint64_t count, const ReportTexts& texts) {
  if (count == 1) return texts.readingOne;
  if (!texts.slavicPlural) return texts.readingMany;
  const uint64_t tens = count % 100;
  const uint64_t ones = count % 10;
  return ones >= 2 && ones <= 4 && (tens < 12 || tens > 14) ? texts.readingFew : texts.readingMany;
}

}  // namespace

std::string DegreesText(int32_t sixteenths, const ReportTexts& texts) {
  return ExactDegreesText(int64_t{sixteenths} * kTenThousandthsPerSixteenth, texts);
}

std::string ExactDegreesText(int64_t tenThousandths, const ReportTexts& texts) {
  char number[kDecimalTextCapacity];
  return std::string(number, ShortDecimalText(tenThousandths, texts.decimalSeparator, number)) +
         " °C";
}

std::string HundredthsText(double celsius, const ReportTexts& texts) {
  // "-0.00" is written "0.00".
  const double rounded = std::round(celsius * 100) / 100;
  return WithSeparator(Printed("%.2f °C", rounded == 0 ? 0.0 : rounded), texts);
}

int64_t MeanHundredths(int64_t sumSixteenths, uint32_t count) {
  const int64_t scaled = sumSixteenths * 100;
  const int64_t divisor = int64_t{count} * 16;
  const int64_t magnitude = ((scaled < 0 ? -scaled : scaled) * 2 + divisor) / (2 * divisor);
  return scaled < 0 ? -magnitude : magnitude;
}

std::string MeanText(const ChannelStats& stats, const ReportTexts& texts) {
  const int64_t hundredths = MeanHundredths(stats.sum, stats.count);
  const int64_t magnitude = hundredths < 0 ? -hundredths : hundredths;
  return Printed("%s%lld%c%02lld °C", hundredths < 0 ? "-" : "",
                 static_cast<long long>(magnitude / 100), texts.decimalSeparator,
                 static_cast<long long>(magnitude % 100));
}

std::string DurationText(int64_t seconds, const ReportTexts& texts) {
  const auto ll = [](int64_t v) { return static_cast<long long>(v); };
  const int64_t days = seconds / kSecondsPerDay;
  const int64_t rest = seconds % kSecondsPerDay;
  if (days == 0) {
    return Printed("%lld:%02lld:%02lld", ll(rest / 3600), ll(rest / 60 % 60), ll(rest % 60));
  }
  return Printed("%lld %s %02lld:%02lld:%02lld", ll(days), texts.dayUnit, ll(rest / 3600),
                 ll(rest / 60 % 60), ll(rest % 60));
}

std::string ReadingsText(uint64_t count, const ReportTexts& texts) {
  return Printed("%llu %s", static_cast<unsigned long long>(count), ReadingWord(count, texts));
}

std::string StatsDurationText(uint64_t duration, DurationUnit unit, const ReportTexts& texts) {
  if (unit == DurationUnit::Seconds) return DurationText(static_cast<int64_t>(duration), texts);
  return ReadingsText(duration, texts);
}

std::string ClockText(int64_t utc, int32_t offset) {
  char iso[kTimeTextCapacity];
  const std::size_t length = TimeText(utc, offset, iso);
  if (length < 25) return std::string(iso, length);
  // 2026-12-01T08:00:00+01:00 -> 2026-12-01 08:00:00 UTC+01:00 (an offset's seconds kept)
  return Printed("%.10s %.8s UTC%s", iso, iso + 11, iso + 19);
}

std::string SlotTimeText(const SlotTime& time, const ReportTexts& texts) {
  if (time.utc) return ClockText(*time.utc, time.offset);
  const std::string sample = Printed("%s %u", texts.sample, time.slot);
  if (!time.elapsed) return sample;
  return Printed("+%s (%s)", DurationText(*time.elapsed, texts).c_str(), sample.c_str());
}

std::string PercentText(double share, const ReportTexts& texts) {
  const double tenths = std::floor(share * 1000 + 1e-9);
  return WithSeparator(Printed("%.1f %%", tenths / 10), texts);
}

std::string EnergyText(double joulesPerMole, const ReportTexts& texts) {
  return WithSeparator(Printed("%.3f", joulesPerMole / 1000), texts);
}

std::string FieldText(const LoggerField& field, const char* const* englishRows,
                      LabelLanguage language) {
  if (language == LabelLanguage::English && field.row) return englishRows[*field.row];
  return field.text;
}

}  // namespace zv
