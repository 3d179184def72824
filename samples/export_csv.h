// The readings as CSV (RFC 4180): a header row, then one row per slot with its index, the
// seconds since the first sample, optionally the time of day, and each channel's reading in
// degrees with a dot. Plain ASCII, so it is UTF-8 too; CRLF line ends; nothing needs quotes.
#pragma once

#include <cstdint>

#include "base/byte_sink.h"
#include "base/info_tab.h"
#include "base/sample_memory.h"

namespace zv {

struct CsvOptions {
  // The user's statement of when slot 0 was taken (seconds of ParseLocalTime); it adds a
  // "time" column.
  bool hasStart = false;
  int64_t startSeconds = 0;
};

// Columns: index, elapsed_s, [time], a_celsius, [b_celsius with two channels]. elapsed_s and
// time stay empty when the interval index lies beyond its table; b_celsius stays empty in a
// trailing partial slot.
void WriteCsvExport(const SampleBuffer& samples, const LoggerInfo& info, const CsvOptions& options,
                    ByteSink& sink);

}  // namespace zv
