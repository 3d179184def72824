#include "samples/export_csv.h"

#include "samples/chunk_writer.h"
#include "samples/civil_time.h"
#include "samples/reading.h"
#include "samples/reading_number.h"
#include "samples/sample_interval.h"
#include "samples/sample_slots.h"

namespace zv {

namespace {

void PutReading(ChunkWriter& out, const SampleBuffer& samples, const SlotLayout& layout,
                uint32_t slot, Channel channel) {
  uint16_t word = 0;
  if (!ChannelWord(samples, layout, slot, channel, word)) return;
  char text[kReadingTextCapacity];
  out.Put(text, ReadingDotText(word, text));
}

void PutHeader(ChunkWriter& out, const CsvOptions& options, bool twoChannels) {
  out.Put("index,elapsed_s");
  if (options.hasStart) out.Put(",time");
  out.Put(",a_celsius");
  if (twoChannels) out.Put(",b_celsius");
  out.Put("\r\n");
}

}  // namespace

void WriteCsvExport(const SampleBuffer& samples, const LoggerInfo& info, const CsvOptions& options,
                    ByteSink& sink) {
  ChunkWriter out(sink);
  const SlotLayout layout = LayoutOf(samples, info.channelMode);
  const bool twoChannels = layout.wordsPerSlot == 2;
  uint32_t interval = 0;
  const bool timed = IntervalSeconds(info.tab.IntervalIndex(), interval);

  PutHeader(out, options, twoChannels);
  for (uint32_t slot = 0; slot < layout.slots; ++slot) {
    out.PutDecimal(slot);
    out.Put(',');
    const uint64_t elapsed = uint64_t{slot} * interval;
    if (timed) out.PutDecimal(elapsed);
    if (options.hasStart) {
      out.Put(',');
      char time[kLocalTimeTextCapacity];
      if (timed) {
        out.Put(time, LocalTimeText(options.startSeconds + static_cast<int64_t>(elapsed), time));
      }
    }
    out.Put(',');
    PutReading(out, samples, layout, slot, Channel::A);
    if (twoChannels) {
      out.Put(',');
      PutReading(out, samples, layout, slot, Channel::B);
    }
    out.Put("\r\n");
  }
  out.Flush();
}

}  // namespace zv
