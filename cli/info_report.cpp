#include "cli/info_report.h"

#include <cstring>
#include <string_view>

#include "cli/visible_text.h"
#include "link/value_tables.h"

namespace zv::cli {

namespace {

// Windows-1250 text up to its NUL (and at most `limit` bytes) as UTF-8, trailing spaces cut,
// its control characters written visibly. 20 bytes in their longest form (\u001b) fit.
struct Utf8 {
  char text[128];
  Utf8(const char* cp1250, std::size_t limit, TextStyle style = TextStyle::Terminal) {
    std::size_t n = 0;
    while (n < limit && cp1250[n] != '\0') ++n;
    while (n > 0 && cp1250[n - 1] == ' ') --n;
    VisibleUtf8(std::string_view(cp1250, n), style, text, sizeof text);
  }
};

// A table entry as the lists show it, without the leading space and trailing spaces.
template <typename Table>
Utf8 EntryText(const Table& table, std::size_t index) {
  const char* entry = table.Entry(index);
  return Utf8(entry + 1, Table::kWidth - 1);
}

// A JSON string of a Windows-1250 field.
void PrintJsonString(std::FILE* out, const char* cp1250, std::size_t limit) {
  std::fprintf(out, "\"%s\"", Utf8(cp1250, limit, TextStyle::Json).text);
}

}  // namespace

void PrintInfoText(std::FILE* out, const LoggerInfo& info) {
  const INFO_TAB& tab = info.tab;
  const InfoTexts& t = info.texts;
  std::fprintf(out, "Logger_ID          %s\n", Utf8(t.identifier, sizeof t.identifier).text);
  std::fprintf(out, "Stan baterii       %s\n", Utf8(t.battery, sizeof t.battery).text);
  std::fprintf(out, "Liczba próbek      %s\n", Utf8(t.count, sizeof t.count).text);
  std::fprintf(out, "STATUS             %s\n", Utf8(t.status, sizeof t.status).text);
  std::fprintf(out, "Start:             %s\n",
               EntryText(StartDelayTexts, tab.StartDelayIndex()).text);
  std::fprintf(out, "Pomiar co:         %s\n", EntryText(IntervalTexts, tab.IntervalIndex()).text);
  std::fprintf(out, "Zbieraj dane:      %s\n", EntryText(DurationTexts, tab.DurationIndex()).text);
  std::fprintf(out, "Źródło:            %s\n",
               EntryText(ChannelModeTexts, static_cast<std::size_t>(info.channelMode - 1)).text);
  std::fprintf(out, "sygnalizuj pomiar  %s\n", (tab.Flags() & kFlagSignalling) ? "tak" : "nie");
}

void PrintInfoJson(std::FILE* out, const LoggerInfo& info) {
  const INFO_TAB& tab = info.tab;
  const InfoTexts& t = info.texts;
  std::fputs("{\"logger_id\": ", out);
  PrintJsonString(out, t.identifier, sizeof t.identifier);
  std::fprintf(out, ", \"battery_low\": %s", (tab.Flags() & kFlagBatteryLow) ? "true" : "false");
  std::fputs(", \"battery_text\": ", out);
  PrintJsonString(out, t.battery, sizeof t.battery);
  std::fputs(", \"count_text\": ", out);
  PrintJsonString(out, t.count, sizeof t.count);
  std::fprintf(out, ", \"status_code\": %u", tab.StatusCode());
  std::fputs(", \"status_text\": ", out);
  PrintJsonString(out, t.status, sizeof t.status);
  std::fprintf(out,
               ", \"start_delay_index\": %u, \"interval_index\": %u, \"duration_index\": %u"
               ", \"channel_mode\": %u, \"signalling\": %s, \"write_pointer\": %u"
               ", \"memory_start\": %u, \"memory_end\": %u, \"flags\": %u"
               ", \"known_byte_count\": %lu}\n",
               tab.StartDelayIndex(), tab.IntervalIndex(), tab.DurationIndex(), info.channelMode,
               (tab.Flags() & kFlagSignalling) ? "true" : "false", tab.WritePointer(),
               tab.MemoryStart(), tab.MemoryEnd(), tab.Flags(),
               static_cast<unsigned long>(info.knownByteCount));
}

}  // namespace zv::cli
