#include "cli/config_choice.h"

#include <cstring>
#include <string_view>

#include "base/text1250.h"
#include "base/value_tables.h"
#include "cli/visible_text.h"

namespace zv::cli {

namespace {

enum class Conversion { Ok, Malformed, NoCp1250Byte, Control, TooLong };

// UTF-8 to Windows-1250 in `out` (NUL-terminated) as long as it fits; `length` counts every
// byte the whole text needs, and `culprit` holds the first character that was refused.
Conversion ToCp1250(std::string_view utf8, char* out, std::size_t capacity, std::size_t& length,
                    std::string& culprit) {
  length = 0;
  out[0] = '\0';
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t start = i;
    const long cp = DecodeUtf8(utf8.data(), utf8.size(), i);
    if (cp < 0) return Conversion::Malformed;
    culprit = std::string(utf8.substr(start, i - start));
    const int byte = UnicodeToCp1250(static_cast<char32_t>(cp));
    if (byte < 0) return Conversion::NoCp1250Byte;
    // C0, DEL and the C1 controls (five bytes of the code page decode to them): none of them
    // belongs in an identifier that a window, a terminal and a file will show.
    if (byte < 0x20 || byte == 0x7F || (cp >= 0x80 && cp <= 0x9F)) return Conversion::Control;
    if (length + 1 < capacity) {
      out[length] = static_cast<char>(byte);
      out[length + 1] = '\0';
    }
    ++length;
  }
  return length < capacity ? Conversion::Ok : Conversion::TooLong;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// An index of the list, or the text of one of its entries (spaces around it do not count).
template <typename Table>
bool ListIndex(const char* option, const std::string& text, const Table& table, int& index,
               std::string& error) {
  const bool digits = !text.empty() && text.size() <= 3 &&
                      text.find_first_not_of("0123456789") == std::string::npos;
  if (digits && static_cast<std::size_t>(std::stoi(text)) < Table::kCount) {
    index = std::stoi(text);
    return true;
  }
  char converted[64];
  std::size_t length = 0;
  std::string culprit;
  if (!digits && ToCp1250(text, converted, sizeof converted, length, culprit) == Conversion::Ok) {
    for (std::size_t i = 0; i < Table::kCount; ++i) {
      if (Trimmed(converted) == Trimmed(std::string_view(table.Entry(i), Table::kWidth))) {
        index = static_cast<int>(i);
        return true;
      }
    }
  }
  error = std::string(option) + ": \"" + text + "\" is neither an index 0-" +
          std::to_string(Table::kCount - 1) + " nor one of:";
  for (std::size_t i = 0; i < Table::kCount; ++i) {
    error += std::string(i == 0 ? " \"" : ", \"") + ListEntryText(table, i).text + "\"";
  }
  return false;
}

bool ParseIdentifier(const std::string& text, char (&id)[kLoggerIdSize], std::string& error) {
  std::size_t length = 0;
  std::string culprit;
  switch (ToCp1250(text, id, sizeof id, length, culprit)) {
    case Conversion::Ok:
      return true;
    case Conversion::Malformed:
      error = "--id: the text is not valid UTF-8";
      return false;
    case Conversion::NoCp1250Byte:
      error = "--id: \"" + culprit + "\" has no Windows-1250 byte; the logger cannot store it";
      return false;
    case Conversion::Control:
      error = "--id: control characters cannot be stored in the identifier";
      return false;
    case Conversion::TooLong:
      error = "--id: \"" + text + "\" takes " + std::to_string(length) +
              " bytes in Windows-1250; the logger stores at most " +
              std::to_string(kLoggerIdSize - 1);
      return false;
  }
  return false;
}

bool ParseOneOf(const char* option, const std::string& text, const char* first, const char* second,
                int& value, std::string& error) {
  if (text.empty()) return true;
  if (text == first || text == second) {
    value = text == first ? 0 : 1;
    return true;
  }
  error = std::string(option) + ": \"" + text + "\" is neither " + first + " nor " + second;
  return false;
}

template <typename Table>
int Selection(const Table& table, uint8_t index) {
  return table.Has(index) ? index : -1;
}

}  // namespace

bool ParseConfigOptions(const ConfigOptionTexts& texts, ConfigOverrides& overrides,
                        std::string& error) {
  if (texts.startDelayGiven &&
      !ListIndex("--start-delay", texts.startDelay, StartDelayTexts, overrides.startDelay, error)) {
    return false;
  }
  if (texts.intervalGiven &&
      !ListIndex("--interval", texts.interval, IntervalTexts, overrides.interval, error)) {
    return false;
  }
  if (texts.durationGiven &&
      !ListIndex("--duration", texts.duration, DurationTexts, overrides.duration, error)) {
    return false;
  }
  if (!ParseOneOf("--channels", texts.channels, "a", "ab", overrides.channels, error)) return false;
  if (!ParseOneOf("--signal", texts.signal, "off", "on", overrides.signal, error)) return false;
  overrides.idGiven = texts.idGiven;
  return !texts.idGiven || ParseIdentifier(texts.id, overrides.id, error);
}

ConfigurationChoice ChoiceFor(const INFO_TAB& tab, const ConfigOverrides& o) {
  ConfigurationChoice choice;
  choice.startDelayIndex =
      o.startDelay >= 0 ? o.startDelay : Selection(StartDelayTexts, tab.StartDelayIndex());
  choice.intervalIndex =
      o.interval >= 0 ? o.interval : Selection(IntervalTexts, tab.IntervalIndex());
  choice.durationIndex =
      o.duration >= 0 ? o.duration : Selection(DurationTexts, tab.DurationIndex());
  choice.channelsIndex = o.channels >= 0 ? o.channels : (tab.Flags() & kFlagTwoChannels) ? 1 : 0;
  choice.signal = o.signal >= 0 ? o.signal == 1 : (tab.Flags() & kFlagSignalling) != 0;
  if (o.idGiven) {
    std::memcpy(choice.identifier, o.id, sizeof choice.identifier);
  } else {
    std::memcpy(choice.identifier, tab.LoggerId(), LoggerIdLength(tab));
  }
  choice.identifier[kLoggerIdSize - 1] = '\0';
  return choice;
}

}  // namespace zv::cli
