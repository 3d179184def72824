#include "cli/info_listing.h"

#include <cstring>
#include <nlohmann/json.hpp>
#include <string_view>

#include "base/text1250.h"
#include "base/value_tables.h"
#include "cli/visible_text.h"
#include "report/json_document.h"
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

// A Windows-1250 field up to its NUL, trailing spaces cut, as UTF-8; the JSON writer escapes
// what a terminal would obey.
template <std::size_t N>
std::string FieldUtf8(const char (&cp1250)[N]) {
  std::size_t n = 0;
  while (n < N && cp1250[n] != '\0') ++n;
  while (n > 0 && cp1250[n - 1] == ' ') --n;
  char utf8[3 * N + 1];  // a Windows-1250 byte is at most three UTF-8 bytes
  const std::size_t length = Cp1250ToUtf8(std::string_view(cp1250, n), utf8, sizeof utf8);
  return std::string(utf8, length);
}

}  // namespace

void PrintListingLine(std::FILE* out, const char* labelCp1250, std::size_t labelLength,
                      const char* value) {
  const VisibleText label(labelCp1250, labelLength);
  // The field is counted in characters, not in the bytes of the label's Polish letters.
  const std::size_t characters = Utf8Characters(label.text);
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

std::string InfoJson(const LoggerInfo& info) {
  const INFO_TAB& tab = info.tab;
  const InfoTexts& t = info.texts;
  nlohmann::ordered_json json;
  json["logger_id"] = FieldUtf8(t.identifier);
  json["battery_low"] = (tab.Flags() & kFlagBatteryLow) != 0;
  json["battery_text"] = FieldUtf8(t.battery);
  json["count_text"] = FieldUtf8(t.count);
  json["status_code"] = tab.StatusCode();
  json["status_text"] = FieldUtf8(t.status);
  json["start_delay_index"] = tab.StartDelayIndex();
  json["interval_index"] = tab.IntervalIndex();
  json["duration_index"] = tab.DurationIndex();
  json["channel_mode"] = info.channelMode;
  json["signalling"] = (tab.Flags() & kFlagSignalling) != 0;
  json["write_pointer"] = tab.WritePointer();
  json["memory_start"] = tab.MemoryStart();
  json["memory_end"] = tab.MemoryEnd();
  json["flags"] = tab.Flags();
  json["known_byte_count"] = info.knownByteCount;
  return DumpJson(json);
}

void PrintInfoJson(std::FILE* out, const LoggerInfo& info) {
  std::fprintf(out, "%s\n", InfoJson(info).c_str());
}

}  // namespace zv::cli
