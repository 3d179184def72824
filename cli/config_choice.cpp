#include "cli/config_choice.h"

#include <cstring>
#include <string_view>

#include "base/logger_identifier.h"
#include "base/text1250.h"
#include "base/value_tables.h"
#include "cli/visible_text.h"

namespace zv::cli {

namespace {

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
  std::string_view culprit;
  if (!digits && Utf8ToCp1250(text, false, converted, sizeof converted, length, culprit) ==
                     Cp1250Conversion::Ok) {
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

template <typename Table>
int Selection(const Table& table, uint8_t index) {
  return table.Has(index) ? index : -1;
}

}  // namespace

bool ParseListValue(ConfigList list, const std::string& text, int& index, std::string& error) {
  switch (list) {
    case ConfigList::StartDelay:
      return ListIndex("--start-delay", text, StartDelayTexts, index, error);
    case ConfigList::Interval:
      return ListIndex("--interval", text, IntervalTexts, index, error);
    case ConfigList::Duration:
      return ListIndex("--duration", text, DurationTexts, index, error);
  }
  return false;
}

bool ParseIdentifier(const std::string& text, char (&id)[kLoggerIdSize], std::string& error) {
  if (IdentifierFromUtf8(text, false, id, error)) return true;
  error = "--id: " + error;
  return false;
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
