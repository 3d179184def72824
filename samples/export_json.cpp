#include "samples/export_json.h"

#include "samples/chunk_writer.h"
#include "samples/reading.h"
#include "samples/reading_number.h"
#include "samples/sample_interval.h"
#include "samples/sample_slots.h"

namespace zv {

namespace {

void PutChannel(ChunkWriter& out, const SampleBuffer& samples, const SlotLayout& layout,
                Channel channel) {
  out.Put('[');
  uint16_t word = 0;
  for (uint32_t slot = 0;
       slot < layout.CompleteSlots() && ChannelWord(samples, layout, slot, channel, word); ++slot) {
    if (slot != 0) out.Put(", ");
    char text[kReadingTextCapacity];
    out.Put(text, ReadingDotText(word, text));
  }
  out.Put(']');
}

// The A reading of a last slot that the logger did not complete: nothing is lost, and it is
// kept apart from the slots the counts speak of.
void PutPartialSlot(ChunkWriter& out, const SampleBuffer& samples, const SlotLayout& layout) {
  uint16_t word = 0;
  const uint32_t slot = layout.CompleteSlots();
  if (!layout.HasPartialSlot() || !ChannelWord(samples, layout, slot, Channel::A, word)) {
    out.Put("null");
    return;
  }
  out.Put("{\"slot\": ");
  out.PutDecimal(slot);
  out.Put(", \"a\": ");
  char text[kReadingTextCapacity];
  out.Put(text, ReadingDotText(word, text));
  out.Put('}');
}

}  // namespace

void WriteJsonExport(const SampleBuffer& samples, const LoggerInfo& info,
                     std::string_view infoObject, ByteSink& sink) {
  ChunkWriter out(sink);
  const SlotLayout layout = LayoutOf(samples, info.channelMode);
  out.Put("{\"info\": ");
  out.Put(infoObject.data(), infoObject.size());
  out.Put(", \"interval_s\": ");
  uint32_t interval = 0;
  if (IntervalSeconds(info.tab.IntervalIndex(), interval)) {
    out.PutDecimal(interval);
  } else {
    out.Put("null");
  }
  out.Put(", \"byte_count\": ");
  out.PutDecimal(DataBytes(samples));
  out.Put(", \"slot_count\": ");
  out.PutDecimal(layout.CompleteSlots());
  out.Put(", \"readings\": {\"a\": ");
  PutChannel(out, samples, layout, Channel::A);
  if (layout.wordsPerSlot == 2) {
    out.Put(", \"b\": ");
    PutChannel(out, samples, layout, Channel::B);
  }
  out.Put("}, \"partial_slot\": ");
  PutPartialSlot(out, samples, layout);
  out.Put("}\n");
  out.Flush();
}

}  // namespace zv
