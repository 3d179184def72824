#include "report/logger_facts.h"

#include <iterator>
#include <string_view>

#include "base/text1250.h"
#include "base/value_tables.h"
#include "report/report_texts.h"
#include "samples/sample_interval.h"

namespace zv {

namespace {

static_assert(std::size(kEnglishStartDelays) == StartDelayTexts.kCount, "a row each");
static_assert(std::size(kEnglishIntervals) == IntervalTexts.kCount, "a row each");
static_assert(std::size(kEnglishDurations) == DurationTexts.kCount, "a row each");
static_assert(std::size(kEnglishStatuses) == StatusTexts.kCount, "a row each");

std::string_view TrimmedEnd(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.remove_suffix(1);
  return text;
}

std::string Utf8Of(std::string_view cp1250) {
  char text[4 * 64];
  const std::size_t length = Cp1250ToUtf8(TrimmedEnd(cp1250), text, sizeof text);
  return std::string(text, length);
}

// A table's entry without the leading space that some tables keep for their lists.
template <typename Table>
std::string_view EntryText(const Table& table, std::size_t row, std::size_t skip) {
  return TrimmedEnd(std::string_view(table.Entry(row) + skip, Table::kWidth - skip));
}

template <typename Table>
LoggerField FieldOfRow(const Table& table, std::size_t row, std::size_t skip) {
  LoggerField field;
  field.text = Utf8Of(EntryText(table, row, skip));
  if (table.Has(row)) field.row = static_cast<uint8_t>(row);
  return field;
}

// The header's text, and the row it names when the table has one that reads the same.
template <typename Table>
LoggerField FieldOfText(const Table& table, std::string_view cp1250, std::size_t skip) {
  LoggerField field;
  field.text = Utf8Of(cp1250);
  for (std::size_t row = 0; row < Table::kCount; ++row) {
    if (TrimmedEnd(cp1250) == EntryText(table, row, skip)) field.row = static_cast<uint8_t>(row);
  }
  return field;
}

std::optional<uint32_t> SecondsOf(const LoggerField& interval) {
  uint32_t seconds = 0;
  if (!interval.row || !IntervalSeconds(*interval.row, seconds)) return std::nullopt;
  return seconds;
}

}  // namespace

LoggerFacts LoggerFactsFromInfo(const LoggerInfo& info) {
  LoggerFacts facts;
  const InfoTexts& texts = info.texts;
  facts.identifier = Utf8Of(std::string_view(texts.identifier, sizeof texts.identifier - 1));
  facts.channelMode = info.channelMode;
  facts.startDelay = FieldOfRow(StartDelayTexts, info.tab.StartDelayIndex(), 1);
  facts.interval = FieldOfRow(IntervalTexts, info.tab.IntervalIndex(), 1);
  facts.duration = FieldOfRow(DurationTexts, info.tab.DurationIndex(), 1);
  facts.status = FieldOfRow(StatusTexts, info.tab.StatusCode(), 0);
  facts.intervalSeconds = SecondsOf(facts.interval);
  facts.battery = (info.tab.Flags() & kFlagBatteryLow) ? BatteryState::Low : BatteryState::Ok;
  facts.count = Utf8Of(std::string_view(texts.count, sizeof texts.count - 1));
  return facts;
}

LoggerFacts LoggerFactsFromExport(const ExportHeader& header, uint8_t channelMode) {
  LoggerFacts facts;
  facts.identifier = Utf8Of(header.identifier);
  facts.channelMode = channelMode;
  facts.startDelay = FieldOfText(StartDelayTexts, header.startDelay, 1);
  facts.interval = FieldOfText(IntervalTexts, header.interval, 1);
  facts.duration = FieldOfText(DurationTexts, header.duration, 1);
  facts.status = FieldOfText(StatusTexts, header.status, 0);
  facts.intervalSeconds = SecondsOf(facts.interval);
  facts.battery = BatteryState::NotKnown;
  facts.count = Utf8Of(header.count);
  return facts;
}

}  // namespace zv
