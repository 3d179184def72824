#include "samples/export_file.h"

#include <cstddef>
#include <cstdint>

#include "base/text1250.h"
#include "base/value_tables.h"
#include "samples/chunk_writer.h"
#include "samples/field_labels.h"
#include "samples/reading.h"

namespace zv {

namespace {

constexpr auto kTitle = Cp1250(u8"Zorvant v2.0");

constexpr std::size_t kRuleLength = 39;
constexpr std::size_t kStatusWidth = 19;

void PutLineEnd(ChunkWriter& out) {
  out.Put("\r\n", 2);
}

void PutRule(ChunkWriter& out) {
  for (std::size_t i = 0; i < kRuleLength; ++i) out.Put('-');
  PutLineEnd(out);
}

template <std::size_t N>
void PutLabel(ChunkWriter& out, const Text1250<N>& label) {
  out.Put(label);
  out.Put("\t\t", 2);
}

// A NUL-terminated field up to its NUL; a field without one is cut at its capacity less one.
template <std::size_t N>
void PutFieldText(ChunkWriter& out, const char (&field)[N]) {
  std::size_t length = 0;
  while (length + 1 < N && field[length] != '\0') ++length;
  out.Put(field, length);
}

// The logger's identifier as it came, but for a line end inside it, which would break the
// header's line layout (and every reader of it, ours among them): CR and LF are written as '_',
// the character a file name gets for them too.
void PutIdentifier(ChunkWriter& out, const char (&identifier)[14]) {
  for (std::size_t i = 0; i + 1 < sizeof identifier && identifier[i] != '\0'; ++i) {
    const char c = identifier[i];
    out.Put(c == '\r' || c == '\n' ? '_' : c);
  }
}

// A table entry without its leading space: the table's width less one, trailing spaces kept.
template <typename Table>
void PutTableValue(ChunkWriter& out, const Table& table, std::size_t index) {
  out.Put(table.Entry(index) + 1, Table::kWidth - 1);
}

// The status line keeps its 19 bytes even after a tear-down emptied the field.
void PutStatus(ChunkWriter& out, const char (&status)[20]) {
  for (std::size_t i = 0; i < kStatusWidth; ++i) out.Put(status[i] == '\0' ? ' ' : status[i]);
}

void PutHeader(ChunkWriter& out, const LoggerInfo& info) {
  out.Put(kTitle);
  PutLineEnd(out);
  PutRule(out);
  PutLabel(out, kLoggerIdField);
  PutIdentifier(out, info.texts.identifier);
  PutLineEnd(out);
  PutLabel(out, kStartField);
  PutTableValue(out, StartDelayTexts, info.tab.StartDelayIndex());
  PutLineEnd(out);
  PutLabel(out, kIntervalField);
  PutTableValue(out, IntervalTexts, info.tab.IntervalIndex());
  PutLineEnd(out);
  PutLabel(out, kDurationField);
  PutTableValue(out, DurationTexts, info.tab.DurationIndex());
  PutLineEnd(out);
  PutRule(out);
  PutLabel(out, kCountField);
  PutFieldText(out, info.texts.count);
  PutLineEnd(out);
  PutLabel(out, kSourceField);
  // Mode 0 wraps to a huge index and so takes the placeholder row like any other stray mode.
  PutTableValue(out, ChannelModeTexts, static_cast<std::size_t>(info.channelMode) - 1);
  PutLineEnd(out);
  PutLabel(out, kStatusField);
  PutStatus(out, info.texts.status);
  PutLineEnd(out);
  PutRule(out);
}

}  // namespace

void WriteExportFile(const SampleBuffer& samples, const LoggerInfo& info, ByteSink& sink) {
  ChunkWriter out(sink);
  PutHeader(out, info);

  const std::size_t bytes = DataBytes(samples);
  const std::size_t readings = bytes / 2;
  // Each line holds one slot; a mode of 0 would hold nothing, so it writes one reading a line.
  const std::size_t perLine = info.channelMode == 0 ? 1 : info.channelMode;
  char text[kReadingTextCapacity];
  for (std::size_t j = 0; j < readings; ++j) {
    out.Put(text, ReadingText(SampleWord(samples, 2 * j), text));
    if ((j + 1) % perLine == 0) {
      PutLineEnd(out);
    } else {
      out.Put('\t');
    }
  }
  out.Flush();
}

}  // namespace zv
