// The readings as CSV: a header row, then one row per slot with its index, the seconds since
// the first sample, optionally the time of day, and each channel's reading in degrees. CRLF
// line ends; nothing needs quotes. Two dialects of the same rows:
// - RFC 4180: commas, a dot in the readings, plain ASCII (so UTF-8 too);
// - the one a Polish-locale spreadsheet opens without an import wizard: semicolons, a decimal
//   comma (the readings' own text), a UTF-8 byte-order mark first, and the time with a space
//   for the "T" and its offset in a column of its own ("utc_offset"), so that spreadsheets read
//   it as a date and time rather than as text; the offset itself is written "UTC+02:00", which
//   a spreadsheet keeps as text (a cell that starts with "+" or "-" would be a formula).
#pragma once

#include <cstdint>

#include "base/byte_sink.h"
#include "base/info_tab.h"
#include "base/sample_memory.h"
#include "samples/civil_time.h"

namespace zv {

enum class CsvDialect : uint8_t { Rfc4180, ExcelPolish };

struct CsvOptions {
  // The user's statement of when slot 0 was taken; it adds a "time" column (and in the
  // spreadsheet dialect a "utc_offset" column): each slot's time with the offset in force then.
  bool hasStart = false;
  StartTime start;
  CsvDialect dialect = CsvDialect::Rfc4180;
};

// Columns: index, elapsed_s, [time, [utc_offset]], a_celsius, [b_celsius with two channels].
// elapsed_s and time stay empty when the interval index lies beyond its table; b_celsius stays
// empty in a trailing partial slot.
void WriteCsvExport(const SampleBuffer& samples, const LoggerInfo& info, const CsvOptions& options,
                    ByteSink& sink);

}  // namespace zv
