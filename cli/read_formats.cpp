#include "cli/read_formats.h"

#include "cli/info_listing.h"
#include "samples/export_file.h"
#include "samples/export_json.h"
#include "samples/reading_number.h"
#include "samples/recording_stats.h"

namespace zv::cli {

namespace {

// The statistics of the report, so that both count the same complete slots.
void PrintChannel(std::FILE* out, const char* name, const ChannelStats& s) {
  const std::optional<int64_t> meanValue = MeanTenThousandths(s);
  if (!meanValue) {
    std::fprintf(out, "%-7s %5u %9s %8s %9s %8s %9s\n", name, 0u, "-", "-", "-", "-", "-");
    return;
  }
  char min[kDecimalTextCapacity];
  char max[kDecimalTextCapacity];
  char mean[kDecimalTextCapacity];
  DecimalText(int64_t{s.min} * kTenThousandthsPerSixteenth, min);
  DecimalText(int64_t{s.max} * kTenThousandthsPerSixteenth, max);
  DecimalText(*meanValue, mean);
  std::fprintf(out, "%-7s %5u %9s %8u %9s %8u %9s\n", name, s.count, min, s.minSlot, max, s.maxSlot,
               mean);
}

}  // namespace

void WriteReadFormat(ReadFormat format, const SampleBuffer& samples, const LoggerInfo& info,
                     const CsvOptions& csv, ByteSink& sink) {
  switch (format) {
    case ReadFormat::Text:
      WriteExportFile(samples, info, sink);
      return;
    case ReadFormat::Csv:
      WriteCsvExport(samples, info, csv, sink);
      return;
    case ReadFormat::Json: {
      WriteJsonExport(samples, info, InfoJson(info), sink);
      return;
    }
  }
}

void PrintSummary(std::FILE* out, const SampleBuffer& samples, uint8_t channelMode) {
  std::fprintf(out, "%-7s %5s %9s %8s %9s %8s %9s\n", "channel", "count", "min", "min_slot", "max",
               "max_slot", "mean");
  PrintChannel(out, "a", ComputeChannelStats(samples, channelMode, Channel::A, {}));
  if (channelMode == 2) {
    PrintChannel(out, "b", ComputeChannelStats(samples, channelMode, Channel::B, {}));
  }
  std::fflush(out);
}

}  // namespace zv::cli
