#include "samples/export_csv.h"

#include "samples/chunk_writer.h"
#include "samples/civil_time.h"
#include "samples/reading.h"
#include "samples/reading_number.h"
#include "samples/sample_interval.h"
#include "samples/sample_slots.h"

namespace zv {

namespace {

// What differs between the dialects; the rows are the same.
struct CsvStyle {
  char separator = ',';
  bool decimalComma = false;
  bool byteOrderMark = false;
  char dateTimeSeparator = 'T';
  bool offsetColumn = false;  // the offset apart, so that the time reads as a date and time
};

CsvStyle StyleOf(CsvDialect dialect) {
  if (dialect == CsvDialect::ExcelPolish) return {';', true, true, ' ', true};
  return {};
}

void PutReading(ChunkWriter& out, const SampleBuffer& samples, const SlotLayout& layout,
                uint32_t slot, Channel channel, const CsvStyle& style) {
  uint16_t word = 0;
  if (!ChannelWord(samples, layout, slot, channel, word)) return;
  char text[kReadingTextCapacity];
  out.Put(text, style.decimalComma ? ReadingText(word, text) : ReadingDotText(word, text));
}

// "2026-03-29T03:00:00+02:00", or in the spreadsheet dialect "2026-03-29 03:00:00;UTC+02:00":
// a cell that starts with its sign would be read as a formula ("-05:00" a negative time).
void PutTime(ChunkWriter& out, const StartTime& start, int64_t utc, const CsvStyle& style) {
  char time[kTimeTextCapacity];
  const std::size_t length = TimeText(utc, OffsetAt(start, utc), time);
  constexpr std::size_t kOffsetAt = 19;
  for (std::size_t i = 0; i < length; ++i) {
    if (i == kOffsetAt && style.offsetColumn) {
      out.Put(style.separator);
      out.Put("UTC");
    }
    out.Put(time[i] == 'T' ? style.dateTimeSeparator : time[i]);
  }
}

void PutHeader(ChunkWriter& out, const CsvOptions& options, bool twoChannels,
               const CsvStyle& style) {
  if (style.byteOrderMark) out.Put("\xEF\xBB\xBF");
  out.Put("index");
  out.Put(style.separator);
  out.Put("elapsed_s");
  if (options.hasStart) {
    out.Put(style.separator);
    out.Put("time");
    if (style.offsetColumn) {
      out.Put(style.separator);
      out.Put("utc_offset");
    }
  }
  out.Put(style.separator);
  out.Put("a_celsius");
  if (twoChannels) {
    out.Put(style.separator);
    out.Put("b_celsius");
  }
  out.Put("\r\n");
}

}  // namespace

void WriteCsvExport(const SampleBuffer& samples, const LoggerInfo& info, const CsvOptions& options,
                    ByteSink& sink) {
  ChunkWriter out(sink);
  const CsvStyle style = StyleOf(options.dialect);
  const SlotLayout layout = LayoutOf(samples, info.channelMode);
  const bool twoChannels = layout.wordsPerSlot == 2;
  uint32_t interval = 0;
  const bool timed = IntervalSeconds(info.tab.IntervalIndex(), interval);

  PutHeader(out, options, twoChannels, style);
  for (uint32_t slot = 0; slot < layout.slots; ++slot) {
    out.PutDecimal(slot);
    out.Put(style.separator);
    const uint64_t elapsed = uint64_t{slot} * interval;
    if (timed) out.PutDecimal(elapsed);
    if (options.hasStart) {
      out.Put(style.separator);
      if (timed) {
        PutTime(out, options.start, options.start.utc + static_cast<int64_t>(elapsed), style);
      } else if (style.offsetColumn) {
        out.Put(style.separator);
      }
    }
    out.Put(style.separator);
    PutReading(out, samples, layout, slot, Channel::A, style);
    if (twoChannels) {
      out.Put(style.separator);
      PutReading(out, samples, layout, slot, Channel::B, style);
    }
    out.Put("\r\n");
  }
  out.Flush();
}

}  // namespace zv
