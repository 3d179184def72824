#include "report/report_json.h"

#include <cmath>
#include <string>

#include "report/json_text.h"
#include "report/report_values.h"

namespace zv {

namespace {

using std::string;

string Number(uint64_t value) {
  return std::to_string(value);
}

template <typename T>
string OrNull(const std::optional<T>& value, auto format) {
  return value ? format(*value) : string("null");
}

string Degrees(int32_t sixteenths) {
  return JsonFixed(int64_t{sixteenths} * 625, 4);
}

// A limit exactly as it was given.
string Limit(const std::optional<int32_t>& tenThousandths) {
  return tenThousandths ? JsonFixed(*tenThousandths, 4) : string("null");
}

string LimitsObject(const AlarmLimits& limits) {
  return "{\"low_c\": " + Limit(limits.low) + ", \"high_c\": " + Limit(limits.high) + "}";
}

// The limits every channel shown shares; where they differ, null (each channel names its own).
AlarmLimits CommonLimits(const ReportFacts& facts) {
  const ChannelLimits& limits = facts.request.limits;
  AlarmLimits common = facts.channels.empty() ? limits.a : limits.For(facts.channels[0].channel);
  for (const ChannelFacts& c : facts.channels) {
    const AlarmLimits& own = limits.For(c.channel);
    if (own.low != common.low) common.low.reset();
    if (own.high != common.high) common.high.reset();
  }
  return common;
}

string Hundredths(double celsius) {
  return JsonFixed(std::llround(celsius * 100), 2);
}

string IsoTime(int64_t utc, int32_t offset) {
  char text[kTimeTextCapacity];
  return JsonString(std::string_view(text, TimeText(utc, offset, text)));
}

string SlotAt(const ReportFacts& facts, uint32_t slot) {
  const SlotTime time = TimeOfSlot(facts, slot);
  return time.utc ? IsoTime(*time.utc, time.offset) : string("null");
}

const char* VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::Within:
      return "\"within\"";
    case Verdict::Exceeded:
      return "\"exceeded\"";
    case Verdict::NoReadings:
      return "\"no_readings\"";
    case Verdict::NoLimits:
      break;
  }
  return "\"no_limits\"";
}

string LoggerObject(const LoggerFacts& l) {
  const char* battery = l.battery == BatteryState::Ok    ? "\"ok\""
                        : l.battery == BatteryState::Low ? "\"low\""
                                                         : "null";
  return "{\"id\": " + JsonString(l.identifier) + ", \"channel_mode\": " + Number(l.channelMode) +
         ", \"interval_s\": " + OrNull(l.intervalSeconds, Number) +
         ", \"interval_text\": " + JsonString(l.interval.text) +
         ", \"start_delay_text\": " + JsonString(l.startDelay.text) +
         ", \"duration_text\": " + JsonString(l.duration.text) +
         ", \"status_text\": " + JsonString(l.status.text) + ", \"battery\": " + battery +
         ", \"count_text\": " + JsonString(l.count) + "}";
}

string RecordingObject(const ReportFacts& facts) {
  const bool any = facts.readings != 0;
  const std::optional<StartTime>& start = facts.request.start;
  return "{\"readings\": " + Number(facts.readings) + ", \"started_at\": " +
         (start ? IsoTime(start->utc, OffsetAt(*start, start->utc)) : string("null")) +
         ", \"first_reading_at\": " + (any ? SlotAt(facts, 0) : string("null")) +
         ", \"last_reading_at\": " + (any ? SlotAt(facts, facts.readings - 1) : string("null")) +
         ", \"span_s\": " + OrNull(SpanSeconds(facts), [](int64_t s) { return Number(s); }) + "}";
}

// A duration of the statistics in readings, and in seconds when the interval is known.
string Durations(const char* name, uint64_t duration, const ExcursionStats& e,
                 const ReportFacts& facts) {
  const std::optional<uint32_t>& interval = facts.logger.intervalSeconds;
  const uint64_t readings = e.unit == DurationUnit::Seconds && interval && *interval != 0
                                ? duration / *interval
                                : duration;
  const string seconds = e.unit == DurationUnit::Seconds ? Number(duration) : string("null");
  return string(", \"") + name + "_readings\": " + Number(readings) + ", \"" + name +
         "_s\": " + seconds;
}

// One side's readings, runs, and their time in all and at most.
string SideObject(const SideExcursions& side, const ExcursionStats& e, const ReportFacts& facts) {
  return "{\"readings\": " + Number(side.readings) +
         ", \"excursions\": " + Number(side.excursions) +
         Durations("beyond", side.totalDuration, e, facts) +
         Durations("longest", side.longestDuration, e, facts) + "}";
}

string ExcursionFields(const ChannelStats& s, const ReportFacts& facts) {
  const ExcursionStats& e = s.limits;
  string first = "null";
  if (e.excursions != 0) {
    first = "{\"slot\": " + Number(e.firstStartSlot) +
            ", \"at\": " + SlotAt(facts, e.firstStartSlot) +
            ", \"side\": " + (e.firstSide == LimitSide::Below ? "\"below\"" : "\"above\"") + "}";
  }
  return ", \"below\": " + Number(e.below.readings) + ", \"above\": " + Number(e.above.readings) +
         ", \"below_low\": " + SideObject(e.below, e, facts) +
         ", \"above_high\": " + SideObject(e.above, e, facts) +
         ", \"excursions\": " + Number(e.excursions) +
         Durations("beyond", e.totalDuration, e, facts) +
         Durations("longest", e.longestDuration, e, facts) + ", \"first_excursion\": " + first +
         ", \"time_in_range\": " +
         OrNull(TimeInRange(s), [](double v) { return JsonFixed(std::llround(v * 1e6), 6); }) +
         ", \"verdict\": " + VerdictName(VerdictOf(s));
}

string ChannelObject(const ChannelFacts& c, const ReportFacts& facts) {
  const ChannelStats& s = c.stats;
  const bool any = s.count != 0;
  const string null = "null";
  return string("{\"channel\": ") + (c.channel == Channel::A ? "\"a\"" : "\"b\"") +
         ", \"readings\": " + Number(s.count) + ", \"min_c\": " + (any ? Degrees(s.min) : null) +
         ", \"min_slot\": " + (any ? Number(s.minSlot) : null) +
         ", \"min_at\": " + (any ? SlotAt(facts, s.minSlot) : null) +
         ", \"max_c\": " + (any ? Degrees(s.max) : null) +
         ", \"max_slot\": " + (any ? Number(s.maxSlot) : null) +
         ", \"max_at\": " + (any ? SlotAt(facts, s.maxSlot) : null) +
         ", \"mean_c\": " + (any ? JsonFixed(MeanHundredths(s.sum, s.count), 2) : null) +
         ", \"std_dev_c\": " + OrNull(s.populationStdDev, Hundredths) +
         ", \"mkt_c\": " + OrNull(s.meanKinetic, Hundredths) +
         ", \"limits\": " + LimitsObject(facts.request.limits.For(c.channel)) +
         ExcursionFields(s, facts) + "}";
}

}  // namespace

void WriteReportJson(const ReportFacts& facts, ByteSink& sink) {
  const ReportRequest& r = facts.request;
  const ReportTexts& texts = ReportTextsFor(r.language);
  string json =
      "{\"title\": " + JsonString(r.title.empty() ? texts.defaultTitle : r.title) +
      ", \"language\": \"" + texts.language + "\", \"program_version\": " + JsonString(r.version) +
      ", \"made_at\": " + IsoTime(r.madeAtUtc, r.madeAtOffset) +
      ", \"source\": {\"kind\": " + (r.sourceKind == SourceKind::Port ? "\"port\"" : "\"export\"") +
      ", \"name\": " + JsonString(r.source) + "}, \"logger\": " + LoggerObject(facts.logger) +
      ", \"recording\": " + RecordingObject(facts);
  json += ", \"limits\": " + LimitsObject(CommonLimits(facts));
  json += ", \"activation_energy_kj_per_mol\": " + JsonFixed(std::llround(r.activationEnergy), 3) +
          ", \"channels\": [";
  for (std::size_t i = 0; i < facts.channels.size(); ++i) {
    if (i != 0) json += ", ";
    json += ChannelObject(facts.channels[i], facts);
  }
  json += string("], \"verdict\": ") + VerdictName(OverallVerdict(facts)) + "}\n";
  sink.Put(json.data(), json.size());
}

}  // namespace zv
