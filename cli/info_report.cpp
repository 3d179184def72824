#include "cli/info_report.h"

#include <cstdarg>
#include <cstring>
#include <string_view>

#include "base/value_tables.h"
#include "cli/visible_text.h"

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
    Format("\"%s\"", Utf8(cp1250, limit, TextStyle::Json).text);
  }
  std::size_t Length() const { return overflow_ ? 0 : length_; }

 private:
  char (&out_)[kInfoJsonCapacity];
  std::size_t length_ = 0;
  bool overflow_ = false;
};

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
