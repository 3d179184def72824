#include "samples/export_reader.h"

#include <string_view>

#include "base/value_tables.h"
#include "samples/field_labels.h"
#include "samples/reading.h"

namespace zv {

namespace {

constexpr std::size_t kSourceLine = 9;  // "Źródło:" and the channel mode
constexpr std::size_t kMaxWords = kSampleBufferSize / 2;

struct Cursor {
  const char* at;
  const char* end;
  uint32_t line;  // lines read so far; in the data, the line `at` lies on
};

// The next line without its line end (CRLF or LF); false at the end of the input.
bool NextLine(Cursor& c, std::string_view& line) {
  if (c.at == c.end) return false;
  const char* start = c.at;
  while (c.at != c.end && *c.at != '\n') ++c.at;
  const char* stop = c.at;
  if (c.at != c.end) ++c.at;
  if (stop != start && stop[-1] == '\r') --stop;
  line = std::string_view(start, static_cast<std::size_t>(stop - start));
  ++c.line;
  return true;
}

bool IsRule(std::string_view line) {
  if (line.empty()) return false;
  for (char c : line) {
    if (c != '-') return false;
  }
  return true;
}

template <std::size_t N>
bool IsField(std::string_view line, const Text1250<N>& label) {
  return line.size() >= label.length + 2 && line.substr(0, label.length) == label.view() &&
         line.substr(label.length, 2) == "\t\t";
}

// The channel mode the "Źródło:" value names: 1, 2, or 0 for none.
uint8_t ModeOfSource(std::string_view line) {
  const std::string_view value = line.substr(kSourceField.length + 2);
  for (std::size_t k = 0; k < ChannelModeTexts.kCount; ++k) {
    const std::string_view entry(ChannelModeTexts.Entry(k) + 1, ChannelModeTexts.kWidth - 1);
    if (value == entry) return static_cast<uint8_t>(k + 1);
  }
  return 0;
}

// The export is Windows-1250; an editor that saved it again as UTF-8 wrote a byte-order mark or
// its Polish labels ("Liczba próbek", "Źródło:") with two bytes a letter.
bool SavedAsUtf8(const char* bytes, std::size_t length) {
  const std::string_view head(bytes, length < 1024 ? length : 1024);
  return head.starts_with("\xEF\xBB\xBF") ||
         head.find(
             "Liczba pr\xC3\xB3"
             "bek") != std::string_view::npos ||
         head.find(
             "\xC5\xB9r\xC3\xB3"
             "d\xC5\x82o:") != std::string_view::npos;
}

// Checks the header's layout and returns the channel mode, or 0 when it is not an export's.
uint8_t ReadHeader(Cursor& c) {
  std::string_view lines[kHeaderLines];
  for (std::string_view& line : lines) {
    if (!NextLine(c, line)) return 0;
  }
  const bool layout = IsRule(lines[1]) && IsField(lines[2], kLoggerIdField) &&
                      IsField(lines[3], kStartField) && IsField(lines[4], kIntervalField) &&
                      IsField(lines[5], kDurationField) && IsRule(lines[6]) &&
                      IsField(lines[7], kCountField) && IsField(lines[8], kSourceField) &&
                      IsField(lines[9], kStatusField) && IsRule(lines[10]);
  return layout ? ModeOfSource(lines[kSourceLine - 1]) : 0;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// One reading as the export writes it ("[-]whole," and four digits of a sixteenth times 625)
// and the word the sensor stored for it: the value's 12-bit two's complement, sign-extended.
bool ReadReading(Cursor& c, uint16_t& word) {
  const char* p = c.at;
  const bool negative = p != c.end && *p == '-';
  if (negative) ++p;
  const char* digits = p;
  int whole = 0;
  while (p != c.end && IsDigit(*p) && p - digits < 4) whole = whole * 10 + (*p++ - '0');
  const long count = p - digits;
  if (count == 0 || count > 3 || (count > 1 && *digits == '0')) return false;
  if (p == c.end || *p++ != ',') return false;
  int fraction = 0;
  for (int k = 0; k < 4; ++k) {
    if (p == c.end || !IsDigit(*p)) return false;
    fraction = fraction * 10 + (*p++ - '0');
  }
  if (fraction % kTenThousandthsPerSixteenth != 0) return false;
  const int magnitude = whole * 16 + fraction / kTenThousandthsPerSixteenth;
  // The export writes no "-0,0000", and 12 bits hold -2048..2047 sixteenths.
  if (negative ? (magnitude == 0 || magnitude > 2048) : magnitude > 2047) return false;
  word = static_cast<uint16_t>((negative ? -magnitude : magnitude) & 0xFFFF);
  c.at = p;
  return true;
}

// After a reading: a tab between the channels of a slot, a line end after the slot's last.
// At the end of the input a missing separator is accepted.
bool ReadSeparator(Cursor& c, bool endOfSlot) {
  if (c.at == c.end) return true;
  if (!endOfSlot) return *c.at++ == '\t';
  if (*c.at == '\r') ++c.at;
  if (c.at == c.end || *c.at++ != '\n') return false;
  ++c.line;
  return true;
}

// Reads every reading after the header; stores the words only when `out` is given.
ExportReadResult ReadData(Cursor c, uint8_t mode, uint32_t& words, SampleBuffer* out) {
  words = 0;
  while (c.at != c.end) {
    uint16_t word = 0;
    if (!ReadReading(c, word)) return {ExportReadStatus::BadReading, c.line};
    if (words == kMaxWords) return {ExportReadStatus::TooManyReadings, c.line};
    if (out != nullptr) {
      out->bytes[2 * words] = static_cast<uint8_t>(word);
      out->bytes[2 * words + 1] = static_cast<uint8_t>(word >> 8);
    }
    ++words;
    if (!ReadSeparator(c, words % mode == 0)) return {ExportReadStatus::BadReading, c.line};
  }
  return {ExportReadStatus::Ok, 0};
}

}  // namespace

const char* ExportReadProblem(ExportReadStatus status) {
  switch (status) {
    case ExportReadStatus::Ok:
      return "";
    case ExportReadStatus::NotAnExport:
      return "not an export of this program (header or channels)";
    case ExportReadStatus::SavedAsUtf8:
      return "saved as UTF-8, not in the export's Windows-1250 (an editor re-encoded it): open "
             "it as Windows-1250 (Central European) and save it so, or export it again";
    case ExportReadStatus::BadReading:
      return "not a reading, or not where the export puts one";
    case ExportReadStatus::TooManyReadings:
      return "more readings than the logger's memory holds";
  }
  return "";
}

ExportReadResult ReadExportFile(const char* bytes, std::size_t length, SampleBuffer& samples,
                                uint8_t& channelMode) {
  Cursor c{bytes, bytes == nullptr ? bytes : bytes + length, 0};
  const uint8_t mode = ReadHeader(c);
  if (mode == 0) {
    if (bytes != nullptr && SavedAsUtf8(bytes, length)) return {ExportReadStatus::SavedAsUtf8, 0};
    return {ExportReadStatus::NotAnExport, c.line};
  }
  ++c.line;  // the first reading's line

  // Checked whole before anything is stored, so a bad file leaves the samples as they were.
  uint32_t words = 0;
  const ExportReadResult checked = ReadData(c, mode, words, nullptr);
  if (checked.status != ExportReadStatus::Ok) return checked;
  ReadData(c, mode, words, &samples);
  samples.n = 2 * words;
  channelMode = mode;
  return checked;
}

}  // namespace zv
