// What `zorvant-cli read` writes: the text export, CSV or JSON, and the per-channel summary.
#pragma once

#include <cstdio>

#include "base/byte_sink.h"
#include "base/info_tab.h"
#include "base/sample_memory.h"
#include "samples/export_csv.h"

namespace zv::cli {

enum class ReadFormat { Text, Csv, Json };

// The whole file in the chosen format; the CSV options matter only to CSV.
void WriteReadFormat(ReadFormat format, const SampleBuffer& samples, const LoggerInfo& info,
                     const CsvOptions& csv, ByteSink& sink);

// One header line, then one line a channel: count, minimum and its slot, maximum and its
// slot, mean; values in degrees with four places, "-" for a channel without readings.
void PrintSummary(std::FILE* out, const SampleBuffer& samples, uint8_t channelMode);

}  // namespace zv::cli
