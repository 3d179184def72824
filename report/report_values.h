// The report's figures as a reader sees them, in the report's language: degrees, durations,
// times, shares and counts. The page writes these; the JSON writes its own numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "report/report_facts.h"
#include "report/report_texts.h"

namespace zv {

// A reading or a limit exactly, with as few decimals as it needs but one: "8,0 °C",
// "-0,0625 °C".
std::string DegreesText(int32_t sixteenths, const ReportTexts& texts);

// A value in ten-thousandths of a degree (a limit as typed) the same way: "8,1 °C".
std::string ExactDegreesText(int64_t tenThousandths, const ReportTexts& texts);

// A derived temperature to two decimals: "4,52 °C".
std::string HundredthsText(double celsius, const ReportTexts& texts);

// The mean of a channel to two decimals, rounded half away from zero from the exact sum.
std::string MeanText(const ChannelStats& stats, const ReportTexts& texts);

// The mean in hundredths of a degree, rounded half away from zero; `count` is not 0.
int64_t MeanHundredths(int64_t sumSixteenths, uint32_t count);

// "3:04:05", or "2 d 03:04:05" from a day on.
std::string DurationText(int64_t seconds, const ReportTexts& texts);

// "12 odczytów", "1 reading": a count of readings with the language's plural.
std::string ReadingsText(uint64_t count, const ReportTexts& texts);

// A duration of the statistics: a time with the interval known, else readings.
std::string StatsDurationText(uint64_t duration, DurationUnit unit, const ReportTexts& texts);

// "2026-12-01 08:00:00 UTC+01:00".
std::string ClockText(int64_t utc, int32_t offset);

// When a slot was read, as well as it is known: the clock time, or "+2 d 03:04:05 (próbka 12)",
// or "próbka 12".
std::string SlotTimeText(const SlotTime& time, const ReportTexts& texts);

// A share (0..1) in percent to a tenth, rounded down, so that anything short of all reads
// below 100: "99,9 %".
std::string PercentText(double share, const ReportTexts& texts);

// The activation energy in kJ/mol, to three decimals: "83,144".
std::string EnergyText(double joulesPerMole, const ReportTexts& texts);

// The logger's field in the report's language: its own text in Polish, the English row when
// the row is known.
std::string FieldText(const LoggerField& field, const char* const* englishRows,
                      LabelLanguage language);

}  // namespace zv
