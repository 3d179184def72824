// What a report states, gathered once from its sources: the logger as it described itself,
// the recording's readings and the statistics of each channel shown, the limits, and where
// and when the report was made. The page and the JSON document are both made from it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/sample_memory.h"
#include "chart/overview_texts.h"
#include "samples/civil_time.h"
#include "samples/recording_stats.h"

namespace zv {

// A text the logger chose from one of its tables (UTF-8, trailing spaces cut) and the row it
// is, when it is one; a report in another language names the row in its own words.
struct LoggerField {
  std::string text;
  std::optional<uint8_t> row;
};

enum class BatteryState : uint8_t { Ok, Low, NotKnown };

struct LoggerFacts {
  std::string identifier;  // UTF-8, as the logger stores it
  uint8_t channelMode = 1;
  LoggerField startDelay;
  LoggerField interval;
  LoggerField duration;
  LoggerField status;
  std::optional<uint32_t> intervalSeconds;
  BatteryState battery = BatteryState::NotKnown;
  std::string count;  // "8192 / 8192", as the logger's count reads
};

enum class SourceKind : uint8_t { Port, ExportFile, Archive };

// How the recording a report was made from came to be kept: downloaded from a logger (its bytes
// as received) or imported from a text export (the file's bytes); unknown when no archive knew it.
enum class KeptOrigin : uint8_t { Unknown, Downloaded, Imported };

// Which recording a report was made from, as far as is known: the SHA-256 of its bytes (a
// download's table and memory, an imported file's bytes) and its number in the archive.
struct RecordingIdentity {
  std::string sha256;  // 64 lower-case hex digits; empty when not known
  std::optional<int64_t> archiveId;
  KeptOrigin origin = KeptOrigin::Unknown;

  bool operator==(const RecordingIdentity&) const = default;
};

struct ReportRequest {
  std::string title;  // UTF-8; empty: the language's default
  LabelLanguage language = LabelLanguage::Polish;
  bool showA = true;
  bool showB = true;               // in mode 2 only
  ChannelLimits limits;            // exact, in ten-thousandths of a degree
  std::optional<StartTime> start;  // of slot 0
  bool startEstimated = false;     // `start` reckoned from the download time, not given
  double activationEnergy = kDefaultActivationEnergy;  // J/mol
  SourceKind sourceKind = SourceKind::Port;
  std::string source;  // the port or the file, as given
  int64_t madeAtUtc = 0;
  int32_t madeAtOffset = 0;
  std::string version;
  RecordingIdentity recording;
};

struct ChannelFacts {
  Channel channel = Channel::A;
  ChannelStats stats;
};

struct ReportFacts {
  const SampleBuffer* samples = nullptr;
  LoggerFacts logger;
  ReportRequest request;
  uint32_t readings = 0;               // complete slots: readings of each channel
  std::vector<ChannelFacts> channels;  // those shown, A before B
};

ReportFacts GatherReportFacts(const SampleBuffer& samples, const LoggerFacts& logger,
                              const ReportRequest& request);

// When a slot was read: always its number; the time since slot 0 with a known interval; the
// clock time, at the offset in force then, with the start as well.
struct SlotTime {
  uint32_t slot = 0;
  std::optional<int64_t> elapsed;  // seconds
  std::optional<int64_t> utc;
  int32_t offset = 0;  // seconds east of UTC, with utc
};

SlotTime TimeOfSlot(const ReportFacts& facts, uint32_t slot);

// Seconds from the first reading to the last; none without an interval or without readings.
std::optional<int64_t> SpanSeconds(const ReportFacts& facts);

// Over every channel shown that has limits: exceeded when any is, within when every one with
// readings is, no readings when none has any; no limits when no channel has any.
Verdict OverallVerdict(const ReportFacts& facts);

}  // namespace zv
