#include "report/report_blocks.h"

#include "report/report_texts.h"
#include "report/report_values.h"

namespace zv {

namespace {

// A label and its one value.
ReportRow Row(std::string label, std::string value) {
  ReportRow row;
  row.label = std::move(label);
  row.cells.push_back(std::move(value));
  return row;
}

const ReportTexts& TextsOf(const ReportFacts& facts) {
  return ReportTextsFor(facts.request.language);
}

const char* ChannelHead(Channel channel, const ReportTexts& texts) {
  return channel == Channel::A ? texts.channelA : texts.channelB;
}

std::vector<std::string> ChannelHeads(const ReportFacts& facts) {
  std::vector<std::string> heads;
  for (const ChannelFacts& c : facts.channels)
    heads.emplace_back(ChannelHead(c.channel, TextsOf(facts)));
  return heads;
}

// One row with a cell for each channel shown, made by `cell`.
template <typename Cell>
ReportRow ChannelRow(const ReportFacts& facts, const char* label, Cell cell) {
  ReportRow row;
  row.label = label;
  for (const ChannelFacts& c : facts.channels) row.cells.push_back(cell(c.stats));
  return row;
}

std::string BatteryText(BatteryState battery, const ReportTexts& texts) {
  switch (battery) {
    case BatteryState::Ok:
      return texts.batteryOk;
    case BatteryState::Low:
      return texts.batteryLow;
    case BatteryState::NotKnown:
      break;
  }
  return texts.batteryNotInExport;
}

std::string VerdictText(Verdict verdict, const ReportTexts& texts) {
  switch (verdict) {
    case Verdict::Within:
      return texts.withinLimits;
    case Verdict::Exceeded:
      return texts.limitsExceeded;
    case Verdict::NoLimits:
      return texts.verdictNoLimits;
    case Verdict::NoReadings:
      break;
  }
  return texts.verdictNoReadings;
}

std::string FirstExcursionText(const ReportFacts& facts, const ChannelStats& s) {
  const ReportTexts& texts = TextsOf(facts);
  if (s.limits.excursions == 0) return "—";
  return SlotTimeText(TimeOfSlot(facts, s.limits.firstStartSlot), texts);
}

std::string FirstSideText(const ReportTexts& texts, const ChannelStats& s) {
  if (s.limits.excursions == 0) return "—";
  return s.limits.firstSide == LimitSide::Below ? texts.belowSide : texts.aboveSide;
}

// The limits of each channel, when the channels have different ones.
void AddChannelLimitRows(const ReportFacts& facts, ReportBlock& block) {
  const ReportTexts& texts = TextsOf(facts);
  const ChannelLimits& limits = facts.request.limits;
  const auto limitText = [&texts](const std::optional<int32_t>& limit) {
    return limit ? ExactDegreesText(*limit, texts) : std::string(texts.noLimit);
  };
  for (const bool low : {true, false}) {
    ReportRow row;
    row.label = low ? texts.lowLimit : texts.highLimit;
    for (const ChannelFacts& c : facts.channels) {
      const AlarmLimits& own = limits.For(c.channel);
      row.cells.push_back(limitText(low ? own.low : own.high));
    }
    block.rows.push_back(row);
  }
}

// A side's readings with their runs, then the runs' time in all and the longest.
void AddSideRows(const ReportFacts& facts, ReportBlock& block, const char* label, LimitSide side) {
  const ReportTexts& texts = TextsOf(facts);
  const auto of = [side](const ChannelStats& s) -> const SideExcursions& {
    return side == LimitSide::Below ? s.limits.below : s.limits.above;
  };
  block.rows.push_back(ChannelRow(facts, label, [&](auto& s) {
    return std::to_string(of(s).readings) + " (" + texts.sideExcursions + " " +
           std::to_string(of(s).excursions) + ")";
  }));
  block.rows.push_back(ChannelRow(facts, texts.sideTimes, [&](auto& s) {
    return StatsDurationText(of(s).totalDuration, s.limits.unit, texts) + ", " +
           StatsDurationText(of(s).longestDuration, s.limits.unit, texts);
  }));
}

void AddLimitRows(const ReportFacts& facts, ReportBlock& block) {
  const ReportTexts& texts = TextsOf(facts);
  const auto duration = [&texts](uint64_t d, DurationUnit unit) {
    return StatsDurationText(d, unit, texts);
  };
  const auto count = [](uint32_t n) { return std::to_string(n); };
  AddSideRows(facts, block, texts.below, LimitSide::Below);
  AddSideRows(facts, block, texts.above, LimitSide::Above);
  block.rows.push_back(
      ChannelRow(facts, texts.excursions, [&](auto& s) { return count(s.limits.excursions); }));
  block.rows.push_back(ChannelRow(facts, texts.totalBeyond, [&](auto& s) {
    return duration(s.limits.totalDuration, s.limits.unit);
  }));
  block.rows.push_back(ChannelRow(facts, texts.longest, [&](auto& s) {
    return duration(s.limits.longestDuration, s.limits.unit);
  }));
  block.rows.push_back(
      ChannelRow(facts, texts.first, [&](auto& s) { return FirstExcursionText(facts, s); }));
  block.rows.push_back(
      ChannelRow(facts, texts.side, [&](auto& s) { return FirstSideText(texts, s); }));
  block.rows.push_back(ChannelRow(facts, texts.inRange, [&](auto& s) {
    const std::optional<double> share = TimeInRange(s);
    return share ? PercentText(*share, texts) : std::string("—");
  }));
  ReportRow verdicts =
      ChannelRow(facts, texts.verdict, [&](auto& s) { return VerdictText(VerdictOf(s), texts); });
  verdicts.bold = true;
  for (const ChannelFacts& c : facts.channels) {
    const Verdict verdict = VerdictOf(c.stats);
    verdicts.tones.push_back(verdict == Verdict::Exceeded ? RowTone::Bad
                             : verdict == Verdict::Within ? RowTone::Good
                                                          : RowTone::Plain);
  }
  block.rows.push_back(verdicts);
}

}  // namespace

ReportBlock LoggerBlock(const ReportFacts& facts) {
  const ReportTexts& texts = TextsOf(facts);
  const LoggerFacts& logger = facts.logger;
  const LabelLanguage language = facts.request.language;
  ReportBlock block;
  block.heading = texts.loggerSection;
  block.pairs = {
      Row(texts.identifier, logger.identifier),
      Row(texts.channels, logger.channelMode == 2 ? texts.twoChannels : texts.oneChannel),
      Row(texts.interval, FieldText(logger.interval, kEnglishIntervals, language)),
      Row(texts.startDelay, FieldText(logger.startDelay, kEnglishStartDelays, language)),
      Row(texts.duration, FieldText(logger.duration, kEnglishDurations, language)),
      Row(texts.status, FieldText(logger.status, kEnglishStatuses, language)),
      Row(texts.battery, BatteryText(logger.battery, texts)),
      Row(texts.count, logger.count),
  };
  for (ReportRow& row : block.pairs) {
    if (row.cells[0].empty()) row.cells[0] = texts.unknownValue;
  }
  return block;
}

ReportBlock RecordingBlock(const ReportFacts& facts) {
  const ReportTexts& texts = TextsOf(facts);
  ReportBlock block;
  block.heading = texts.recordingSection;
  const bool any = facts.readings != 0;
  const auto when = [&](uint32_t slot) {
    return any ? SlotTimeText(TimeOfSlot(facts, slot), texts) : std::string("—");
  };
  const std::optional<int64_t> span = SpanSeconds(facts);
  const bool estimated = any && facts.request.start && facts.request.startEstimated;
  block.rows = {
      Row(texts.firstReading, estimated ? when(0) + " (" + texts.estimated + ")" : when(0)),
      Row(texts.lastReading, when(any ? facts.readings - 1 : 0)),
      Row(texts.span,
          span ? DurationText(*span, texts) : std::string(any ? texts.unknownValue : "—")),
      Row(texts.readings, std::to_string(facts.readings) + " " + texts.perChannel),
  };
  if (!any) block.notes.emplace_back(texts.noReadings);
  if (facts.readings == 1) block.notes.emplace_back(texts.oneReading);
  if (!facts.logger.intervalSeconds) {
    block.notes.push_back(std::string(texts.interval) + ": " + texts.noInterval);
  } else if (!facts.request.start && any) {
    block.notes.emplace_back(std::string(texts.firstReading) + ": " + texts.noStart);
  } else if (estimated) {
    block.notes.emplace_back(std::string(texts.firstReading) + ": " + texts.estimatedStart);
  }
  return block;
}

ReportBlock StatisticsBlock(const ReportFacts& facts) {
  const ReportTexts& texts = TextsOf(facts);
  ReportBlock block;
  block.heading = texts.statisticsSection;
  if (facts.readings == 0) {
    block.notes.emplace_back(texts.noReadings);
    return block;
  }
  block.columnHeads = ChannelHeads(facts);
  const auto at = [&facts, &texts](uint32_t slot) {
    return SlotTimeText(TimeOfSlot(facts, slot), texts);
  };
  const std::string mkt = std::string(texts.meanKinetic) +
                          " (ΔH = " + EnergyText(facts.request.activationEnergy, texts) + " " +
                          texts.activationUnit + ")";
  block.rows.push_back(
      ChannelRow(facts, texts.readings, [](auto& s) { return std::to_string(s.count); }));
  block.rows.push_back(
      ChannelRow(facts, texts.minimum, [&](auto& s) { return DegreesText(s.min, texts); }));
  block.rows.push_back(ChannelRow(facts, texts.at, [&](auto& s) { return at(s.minSlot); }));
  block.rows.push_back(
      ChannelRow(facts, texts.maximum, [&](auto& s) { return DegreesText(s.max, texts); }));
  block.rows.push_back(ChannelRow(facts, texts.at, [&](auto& s) { return at(s.maxSlot); }));
  block.rows.push_back(ChannelRow(facts, texts.mean, [&](auto& s) { return MeanText(s, texts); }));
  block.rows.push_back(ChannelRow(facts, texts.deviation, [&](auto& s) {
    return HundredthsText(s.populationStdDev.value_or(0), texts);
  }));
  block.rows.push_back(ChannelRow(facts, mkt.c_str(), [&](auto& s) {
    return s.meanKinetic ? HundredthsText(*s.meanKinetic, texts) : std::string("—");
  }));
  return block;
}

ReportBlock LimitsBlock(const ReportFacts& facts) {
  const ReportTexts& texts = TextsOf(facts);
  const ChannelLimits& limits = facts.request.limits;
  ReportBlock block;
  block.heading = texts.limitsSection;
  bool any = false;
  bool shared = true;
  for (const ChannelFacts& c : facts.channels) {
    any = any || limits.For(c.channel).Any();
    shared = shared && limits.For(c.channel) == limits.For(facts.channels.front().channel);
  }
  if (!any) {
    block.notes.emplace_back(texts.noLimits);
    return block;
  }
  block.columnHeads = ChannelHeads(facts);
  if (shared) {
    const AlarmLimits& common = limits.For(facts.channels.front().channel);
    const auto limitText = [&texts](const std::optional<int32_t>& limit) {
      return limit ? ExactDegreesText(*limit, texts) : std::string(texts.noLimit);
    };
    block.pairs = {Row(texts.lowLimit, limitText(common.low)),
                   Row(texts.highLimit, limitText(common.high))};
  } else {
    AddChannelLimitRows(facts, block);
  }
  AddLimitRows(facts, block);
  const Verdict overall = OverallVerdict(facts);
  block.notes.emplace_back(overall == Verdict::Exceeded ? texts.overallExceeded
                           : overall == Verdict::Within ? texts.overallWithin
                                                        : texts.overallNoReadings);
  block.notesTone = overall == Verdict::Exceeded ? RowTone::Bad
                    : overall == Verdict::Within ? RowTone::Good
                                                 : RowTone::Plain;
  return block;
}

}  // namespace zv
