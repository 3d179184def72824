#include "report/report_json.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "report/json_document.h"
#include "report/report_request_json.h"
#include "report/report_values.h"

namespace zv {

namespace {

// Members in the order a reader meets them on the page.
using Json = nlohmann::ordered_json;

template <typename T, typename Format>
Json OrNull(const std::optional<T>& value, Format format) {
  return value ? Json(format(*value)) : Json(nullptr);
}

// A reading is a whole number of sixteenths: exact as a double.
double Degrees(int32_t sixteenths) {
  return sixteenths / 16.0;
}

// A count of 10^-places as the decimal it is: the nearest double, which prints as that decimal.
double Decimal(int64_t scaled, double unit) {
  return static_cast<double>(scaled) / unit;
}

// A limit exactly as it was given.
Json Limit(const std::optional<int32_t>& tenThousandths) {
  return OrNull(tenThousandths, [](int32_t v) { return Decimal(v, 1e4); });
}

Json LimitsObject(const AlarmLimits& limits) {
  return {{"low_c", Limit(limits.low)}, {"high_c", Limit(limits.high)}};
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

double Hundredths(double celsius) {
  return Decimal(std::llround(celsius * 100), 1e2);
}

std::string IsoTime(int64_t utc, int32_t offset) {
  char text[kTimeTextCapacity];
  return std::string(text, TimeText(utc, offset, text));
}

Json SlotAt(const ReportFacts& facts, uint32_t slot) {
  const SlotTime time = TimeOfSlot(facts, slot);
  return time.utc ? Json(IsoTime(*time.utc, time.offset)) : Json(nullptr);
}

const char* VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::Within:
      return "within";
    case Verdict::Exceeded:
      return "exceeded";
    case Verdict::NoReadings:
      return "no_readings";
    case Verdict::NoLimits:
      break;
  }
  return "no_limits";
}

Json LoggerObject(const LoggerFacts& l) {
  const Json battery = l.battery == BatteryState::Ok    ? Json("ok")
                       : l.battery == BatteryState::Low ? Json("low")
                                                        : Json(nullptr);
  return {{"id", l.identifier},
          {"channel_mode", l.channelMode},
          {"interval_s", OrNull(l.intervalSeconds, [](uint32_t s) { return s; })},
          {"interval_text", l.interval.text},
          {"start_delay_text", l.startDelay.text},
          {"duration_text", l.duration.text},
          {"status_text", l.status.text},
          {"battery", battery},
          {"count_text", l.count}};
}

// The recording: which one (its hash, archive number and origin, when known), then its figures.
Json RecordingObject(const ReportFacts& facts) {
  const bool any = facts.readings != 0;
  const std::optional<StartTime>& start = facts.request.start;
  Json object = RecordingIdentityJson(facts.request.recording);
  object["readings"] = facts.readings;
  object["started_at"] = start ? Json(IsoTime(start->utc, OffsetAt(*start, start->utc))) : Json();
  object["started_at_estimated"] = start && facts.request.startEstimated;
  object["first_reading_at"] = any ? SlotAt(facts, 0) : Json();
  object["last_reading_at"] = any ? SlotAt(facts, facts.readings - 1) : Json();
  object["span_s"] = OrNull(SpanSeconds(facts), [](int64_t s) { return s; });
  return object;
}

// A duration of the statistics in readings, and in seconds when the interval is known.
void AddDurations(Json& object, std::string_view name, uint64_t duration, const ExcursionStats& e,
                  const ReportFacts& facts) {
  const std::optional<uint32_t>& interval = facts.logger.intervalSeconds;
  const uint64_t readings = e.unit == DurationUnit::Seconds && interval && *interval != 0
                                ? duration / *interval
                                : duration;
  object[std::string(name) + "_readings"] = readings;
  object[std::string(name) + "_s"] = e.unit == DurationUnit::Seconds ? Json(duration) : Json();
}

// One side's readings, runs, and their time in all and at most.
Json SideObject(const SideExcursions& side, const ExcursionStats& e, const ReportFacts& facts) {
  Json object = {{"readings", side.readings}, {"excursions", side.excursions}};
  AddDurations(object, "beyond", side.totalDuration, e, facts);
  AddDurations(object, "longest", side.longestDuration, e, facts);
  return object;
}

void AddExcursions(Json& object, const ChannelStats& s, const ReportFacts& facts) {
  const ExcursionStats& e = s.limits;
  Json first;
  if (e.excursions != 0) {
    first = {{"slot", e.firstStartSlot},
             {"at", SlotAt(facts, e.firstStartSlot)},
             {"side", e.firstSide == LimitSide::Below ? "below" : "above"}};
  }
  object["below"] = e.below.readings;
  object["above"] = e.above.readings;
  object["below_low"] = SideObject(e.below, e, facts);
  object["above_high"] = SideObject(e.above, e, facts);
  object["excursions"] = e.excursions;
  AddDurations(object, "beyond", e.totalDuration, e, facts);
  AddDurations(object, "longest", e.longestDuration, e, facts);
  object["first_excursion"] = first;
  object["time_in_range"] =
      OrNull(TimeInRange(s), [](double v) { return Decimal(std::llround(v * 1e6), 1e6); });
  object["verdict"] = VerdictName(VerdictOf(s));
}

Json ChannelObject(const ChannelFacts& c, const ReportFacts& facts) {
  const ChannelStats& s = c.stats;
  const bool any = s.count != 0;
  Json object = {
      {"channel", c.channel == Channel::A ? "a" : "b"},
      {"readings", s.count},
      {"min_c", any ? Json(Degrees(s.min)) : Json()},
      {"min_slot", any ? Json(s.minSlot) : Json()},
      {"min_at", any ? SlotAt(facts, s.minSlot) : Json()},
      {"max_c", any ? Json(Degrees(s.max)) : Json()},
      {"max_slot", any ? Json(s.maxSlot) : Json()},
      {"max_at", any ? SlotAt(facts, s.maxSlot) : Json()},
      {"mean_c", any ? Json(Decimal(MeanHundredths(s.sum, s.count), 1e2)) : Json()},
      {"std_dev_c", OrNull(s.populationStdDev, Hundredths)},
      {"mkt_c", OrNull(s.meanKinetic, Hundredths)},
      {"limits", LimitsObject(facts.request.limits.For(c.channel))},
  };
  AddExcursions(object, s, facts);
  return object;
}

}  // namespace

void WriteReportJson(const ReportFacts& facts, ByteSink& sink) {
  const ReportRequest& r = facts.request;
  const ReportTexts& texts = ReportTextsFor(r.language);
  Json channels = Json::array();
  for (const ChannelFacts& c : facts.channels) channels.push_back(ChannelObject(c, facts));
  const Json document = {
      {"title", r.title.empty() ? std::string(texts.defaultTitle) : r.title},
      {"language", texts.language},
      {"program_version", r.version},
      {"made_at", IsoTime(r.madeAtUtc, r.madeAtOffset)},
      {"source", {{"kind", SourceKindName(r.sourceKind)}, {"name", r.source}}},
      {"logger", LoggerObject(facts.logger)},
      {"recording", RecordingObject(facts)},
      {"limits", LimitsObject(CommonLimits(facts))},
      {"activation_energy_kj_per_mol", Decimal(std::llround(r.activationEnergy), 1e3)},
      {"channels", channels},
      {"verdict", VerdictName(OverallVerdict(facts))},
      // What the report was asked, exactly, so that it can be made again.
      {"request", ReportRequestJson(r)},
  };
  const std::string json = DumpJson(document) + "\n";
  sink.Put(json.data(), json.size());
}

}  // namespace zv
