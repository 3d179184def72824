#include "archive/recording.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "base/text1250.h"
#include "base/value_tables.h"
#include "samples/export_header.h"
#include "samples/export_interval.h"
#include "samples/export_reader.h"
#include "samples/reading.h"
#include "samples/sample_interval.h"

namespace zv::archive {

namespace {

std::string_view WithoutTrailingSpaces(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A Windows-1250 identifier as UTF-8; an edited export may carry a longer one than the
// logger's 13 bytes, so it is bounded here.
std::string Utf8Identifier(std::string_view cp1250) {
  constexpr std::size_t kLongest = 64;
  char text[3 * kLongest + 1];
  const std::size_t length =
      Cp1250ToUtf8(WithoutTrailingSpaces(cp1250.substr(0, kLongest)), text, sizeof text);
  return std::string(text, length);
}

// The status code whose text an export's status line states, if it is one of the logger's.
std::optional<uint8_t> StatusOfText(std::string_view text) {
  text = WithoutTrailingSpaces(text);
  for (std::size_t code = 0; code < StatusTexts.kCount; ++code) {
    if (text == WithoutTrailingSpaces(StatusTexts.Entry(code))) return static_cast<uint8_t>(code);
  }
  return std::nullopt;
}

// The mode, then each whole word's reading as a little-endian word, hashed in one piece.
bool ReadingsOfMemory(std::span<const uint8_t> memory, uint8_t channelMode, Sha256Digest& digest) {
  std::vector<uint8_t> readings(1 + memory.size() / 2 * 2);
  readings[0] = channelMode == 2 ? 2 : 1;
  for (std::size_t at = 0; at + 1 < readings.size(); at += 2) {
    const auto word = static_cast<uint16_t>(memory[at] | memory[at + 1] << 8);
    const auto value = static_cast<uint16_t>(ReadingSixteenths(word));
    readings[1 + at] = static_cast<uint8_t>(value);
    readings[2 + at] = static_cast<uint8_t>(value >> 8);
  }
  return Sha256Of(readings, digest);
}

RecordingFacts FactsOfTable(const INFO_TAB& tab, uint32_t byteCount) {
  RecordingFacts facts;
  facts.origin = RecordingOrigin::Downloaded;
  facts.loggerId = Utf8Identifier(
      std::string_view(reinterpret_cast<const char*>(tab.LoggerId()), LoggerIdLength(tab)));
  // As the program reads the table at connect.
  facts.channelMode = (tab.Flags() & kFlagTwoChannels) != 0 ? 2 : 1;
  facts.byteCount = byteCount;
  facts.readings = SampleCount(byteCount, facts.channelMode);
  uint32_t seconds = 0;
  if (IntervalSeconds(tab.IntervalIndex(), seconds)) facts.intervalSeconds = seconds;
  facts.statusCode = tab.StatusCode();
  return facts;
}

// The facts of an export file, or false with the reason when it does not read as one.
bool FactsOfExport(std::span<const uint8_t> file, RecordingFacts& facts, std::string& why) {
  const char* text = reinterpret_cast<const char*>(file.data());
  auto samples = std::make_unique<SampleBuffer>();
  uint8_t channelMode = 1;
  const ExportReadResult read = ReadExportFile(text, file.size(), *samples, channelMode);
  if (read.status != ExportReadStatus::Ok) {
    why = read.status == ExportReadStatus::BadReading ? "line " + std::to_string(read.line) + ": "
                                                      : "";
    why += ExportReadProblem(read.status);
    return false;
  }
  const ExportHeader header = ReadExportHeader(text, file.size());
  facts = RecordingFacts{};
  facts.origin = RecordingOrigin::Imported;
  facts.loggerId = Utf8Identifier(header.identifier);
  facts.channelMode = channelMode;
  facts.byteCount = DataBytes(*samples);
  facts.readings = SampleCount(facts.byteCount, channelMode);
  uint32_t seconds = 0;
  if (ExportIntervalSeconds(text, file.size(), seconds)) facts.intervalSeconds = seconds;
  facts.statusCode = StatusOfText(header.status);
  if (ReadingsSha256(*samples, channelMode, facts.readingsSha256)) return true;
  why = "cannot be hashed";
  return false;
}

bool HashOfDownload(std::span<const uint8_t> infoTab, std::span<const uint8_t> memory,
                    Sha256Digest& sha256) {
  Sha256 hash;
  hash.Add(infoTab);
  hash.Add(memory);
  return hash.Finish(sha256);
}

}  // namespace

bool ReadingsSha256(const SampleBuffer& samples, uint8_t channelMode, Sha256Digest& digest) {
  return ReadingsOfMemory(std::span(samples.bytes, DataBytes(samples)), channelMode, digest);
}

const char* OriginName(RecordingOrigin origin) {
  return origin == RecordingOrigin::Imported ? "imported" : "downloaded";
}

bool OriginFromName(std::string_view name, RecordingOrigin& origin) {
  for (RecordingOrigin each : {RecordingOrigin::Downloaded, RecordingOrigin::Imported}) {
    if (name == OriginName(each)) {
      origin = each;
      return true;
    }
  }
  return false;
}

bool RecordingOfDownload(const INFO_TAB& asReceived, std::span<const uint8_t> memory,
                         Recording& out) {
  if (memory.size() > kSampleMemoryBytes) return false;
  out = Recording{};
  out.origin = RecordingOrigin::Downloaded;
  out.infoTab.assign(asReceived.bytes, asReceived.bytes + kInfoTabSize);
  out.memory.assign(memory.begin(), memory.end());
  out.facts = FactsOfTable(asReceived, static_cast<uint32_t>(memory.size()));
  return ReadingsOfMemory(out.memory, out.facts.channelMode, out.facts.readingsSha256) &&
         HashOfDownload(out.infoTab, out.memory, out.sha256);
}

bool RecordingOfImport(std::span<const uint8_t> file, Recording& out, std::string& why) {
  // A full memory exports as about 190 KB; a much larger file is not an export of ours.
  constexpr std::size_t kLargestExport = 256 * 1024;
  if (file.size() > kLargestExport) {
    why = "too large to be an export";
    return false;
  }
  RecordingFacts facts;
  if (!FactsOfExport(file, facts, why)) return false;
  out = Recording{};
  out.origin = RecordingOrigin::Imported;
  out.exportFile.assign(file.begin(), file.end());
  out.facts = std::move(facts);
  if (Sha256Of(out.exportFile, out.sha256)) return true;
  why = "cannot be hashed";
  return false;
}

bool DeriveFromBytes(const Recording& recording, RecordingFacts& facts, Sha256Digest& sha256) {
  if (recording.origin == RecordingOrigin::Imported) {
    std::string why;
    return recording.infoTab.empty() && recording.memory.empty() &&
           FactsOfExport(recording.exportFile, facts, why) &&
           Sha256Of(recording.exportFile, sha256);
  }
  if (recording.infoTab.size() != kInfoTabSize || recording.memory.size() > kSampleMemoryBytes ||
      !recording.exportFile.empty()) {
    return false;
  }
  INFO_TAB tab;
  std::copy(recording.infoTab.begin(), recording.infoTab.end(), tab.bytes);
  facts = FactsOfTable(tab, static_cast<uint32_t>(recording.memory.size()));
  return ReadingsOfMemory(recording.memory, facts.channelMode, facts.readingsSha256) &&
         HashOfDownload(recording.infoTab, recording.memory, sha256);
}

}  // namespace zv::archive
