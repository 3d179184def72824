#include "cli/info_listing.h"

#include <cstdarg>
#include <cstring>
#include <string_view>

#include "base/value_tables.h"
#include "cli/visible_text.h"
#include "samples/field_labels.h"

namespace zv::cli {

namespace {

template <std::size_t N>
void PrintLine(std::FILE* out, const Text1250<N>& label, const char* value) {
  PrintListingLine(out, label.bytes, label.length, value);
}

// A list's entry, with its index after it when asked.
template <std::size_t N, typename Table>
void PrintEntryLine(std::FILE* out, const Text1250<N>& label, const Table& table, std::size_t index,
                    bool withIndex) {
  char value[160];
  std::snprintf(value, sizeof value, withIndex ? "%s (%zu)" : "%s",
                ListEntryText(table, index).text, index);
  PrintLine(out, label, value);
}

// Appends formatted text to a fixed buffer; remembers when anything did not fit.
class JsonText {
 public:
  explicit JsonText(char (&out)[kInfoJsonCapacity]) : out_(out) { out_[0] = '\0'; }

  void Format(const char* format, ...) __attribute__((format(printf, 2, 3))) {
    std::va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(out_ + length_, kInfoJsonCapacity - length_, format, args);
    va_end(args);
    if (n < 0 || static_cast<std::size_t>(n) >= kInfoJsonCapacity - length_) {
      overflow_ = true;
      return;
    }
    length_ += static_cast<std::size_t>(n);
  }
  // A JSON string of a Windows-1250 field, its control characters escaped.
  void String(const char* cp1250, std::size_t limit) {
    Format("\"%s\"", VisibleText(cp1250, limit, SafeStyle::Json).text);
  }
  std::size_t Length() const { return overflow_ ? 0 : length_; }

 private:
  char (&out_)[kInfoJsonCapacity];
  std::size_t length_ = 0;
  bool overflow_ = false;
};

}  // namespace

void PrintListingLine(std::FILE* out, const char* labelCp1250, std::size_t labelLength,
                      const char* value) {
  const VisibleText label(labelCp1250, labelLength);
  // The field is counted in characters, not in the bytes of the label's Polish letters.
  std::size_t characters = 0;
  for (const char* c = label.text; *c != '\0'; ++c) {
    if ((static_cast<unsigned char>(*c) & 0xC0) != 0x80) ++characters;
  }
  std::fprintf(out, "%s%*s%s\n", label.text,
               static_cast<int>(characters < 19 ? 19 - characters : 1), "", value);
}

void PrintConfigurationLines(std::FILE* out, const INFO_TAB& tab, std::size_t channelIndex,
                             bool indices) {
  PrintEntryLine(out, kStartField, StartDelayTexts, tab.StartDelayIndex(), indices);
  PrintEntryLine(out, kIntervalField, IntervalTexts, tab.IntervalIndex(), indices);
  PrintEntryLine(out, kDurationField, DurationTexts, tab.DurationIndex(), indices);
  PrintEntryLine(out, kSourceField, ChannelModeTexts, channelIndex, false);
  PrintLine(out, kSignalLabel, (tab.Flags() & kFlagSignalling) ? "tak" : "nie");
}

void PrintInfoText(std::FILE* out, const LoggerInfo& info) {
  const InfoTexts& t = info.texts;
  PrintLine(out, kLoggerIdField, VisibleText(t.identifier, sizeof t.identifier).text);
  PrintLine(out, kBatteryLabel, VisibleText(t.battery, sizeof t.battery).text);
  PrintLine(out, kCountField, VisibleText(t.count, sizeof t.count).text);
  PrintLine(out, kStatusField, VisibleText(t.status, sizeof t.status).text);
  PrintConfigurationLines(out, info.tab, static_cast<std::size_t>(info.channelMode - 1), false);
}

std::size_t FormatInfoJson(const LoggerInfo& info, char (&out)[kInfoJsonCapacity]) {
  const INFO_TAB& tab = info.tab;
  const InfoTexts& t = info.texts;
  JsonText json(out);
  json.Format("{\"logger_id\": ");
  json.String(t.identifier, sizeof t.identifier);
  json.Format(", \"battery_low\": %s", (tab.Flags() & kFlagBatteryLow) ? "true" : "false");
  json.Format(", \"battery_text\": ");
  json.String(t.battery, sizeof t.battery);
  json.Format(", \"count_text\": ");
  json.String(t.count, sizeof t.count);
  json.Format(", \"status_code\": %u", tab.StatusCode());
  json.Format(", \"status_text\": ");
  json.String(t.status, sizeof t.status);
  json.Format(
      ", \"start_delay_index\": %u, \"interval_index\": %u, \"duration_index\": %u"
      ", \"channel_mode\": %u, \"signalling\": %s, \"write_pointer\": %u"
      ", \"memory_start\": %u, \"memory_end\": %u, \"flags\": %u"
      ", \"known_byte_count\": %lu}",
      tab.StartDelayIndex(), tab.IntervalIndex(), tab.DurationIndex(), info.channelMode,
      (tab.Flags() & kFlagSignalling) ? "true" : "false", tab.WritePointer(), tab.MemoryStart(),
      tab.MemoryEnd(), tab.Flags(), static_cast<unsigned long>(info.knownByteCount));
  return json.Length();
}

void PrintInfoJson(std::FILE* out, const LoggerInfo& info) {
  char json[kInfoJsonCapacity];
  if (FormatInfoJson(info, json) != 0) std::fprintf(out, "%s\n", json);
}

}  // namespace zv::cli
