#include "cli/verify_export.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "archive/recording_queries.h"
#include "base/text1250.h"
#include "samples/export_file.h"
#include "samples/export_header.h"
#include "samples/export_reader.h"
#include "samples/reading.h"

namespace zv::cli {

namespace {

using archive::ArchiveStatus;

// The header lines before the first reading: reading n is on line kHeaderLines + n.
constexpr uint32_t kHeaderLines = 11;

// A recording's readings and the export it gives: the one a download would have written, or
// an import's own file.
struct Original {
  std::unique_ptr<SampleBuffer> samples = std::make_unique<SampleBuffer>();
  uint8_t channelMode = 1;
  std::string exportBytes;
};

bool LoadOriginal(const archive::Recording& recording, Original& original) {
  if (recording.origin == archive::RecordingOrigin::Imported) {
    original.exportBytes.assign(recording.exportFile.begin(), recording.exportFile.end());
    return archive::ReadImportedSamples(recording, *original.samples, original.channelMode);
  }
  LoggerInfo info;
  if (!archive::RebuildDownload(recording, info, *original.samples)) return false;
  original.channelMode = info.channelMode;
  StringSink sink;
  WriteExportFile(*original.samples, info, sink);
  original.exportBytes = std::move(sink.text);
  return true;
}

// A header value (Windows-1250, from a file) as UTF-8, bounded.
std::string Utf8Of(std::string_view cp1250) {
  constexpr std::size_t kLongest = 200;
  char text[3 * kLongest + 1];
  return std::string(text, Cp1250ToUtf8(cp1250.substr(0, kLongest), text, sizeof text));
}

void CompareHeaders(std::string_view file, std::string_view original, VerifyOutcome& outcome) {
  const ExportHeader a = ReadExportHeader(file.data(), file.size());
  const ExportHeader b = ReadExportHeader(original.data(), original.size());
  const std::array<std::pair<const char*, std::string_view ExportHeader::*>, 7> fields = {{
      {"logger identifier", &ExportHeader::identifier},
      {"start delay", &ExportHeader::startDelay},
      {"interval", &ExportHeader::interval},
      {"duration", &ExportHeader::duration},
      {"count", &ExportHeader::count},
      {"source", &ExportHeader::source},
      {"status", &ExportHeader::status},
  }};
  for (const auto& [name, field] : fields) {
    if (a.*field != b.*field) {
      outcome.Add(std::string("header, ") + name, Utf8Of(a.*field), Utf8Of(b.*field));
    }
  }
}

std::string ReadingOf(const SampleBuffer& samples, uint32_t word) {
  if (2 * word + 1 >= DataBytes(samples)) return "";
  char text[kReadingTextCapacity];
  const std::size_t length = ReadingText(SampleWord(samples, 2 * word), text);
  return std::string(text, length) + " °C";
}

// The words whose readings differ, as "reading 17, channel A (line 28)".
void CompareReadings(const SampleBuffer& file, const SampleBuffer& original, uint8_t channelMode,
                     VerifyOutcome& outcome) {
  const uint32_t words = std::max(DataBytes(file), DataBytes(original)) / 2;
  const uint32_t perSlot = channelMode == 2 ? 2 : 1;
  for (uint32_t word = 0; word < words; ++word) {
    const std::string inFile = ReadingOf(file, word);
    const std::string inOriginal = ReadingOf(original, word);
    if (inFile == inOriginal) continue;
    const uint32_t slot = word / perSlot + 1;
    outcome.Add("reading " + std::to_string(slot) + ", channel " +
                    (word % perSlot == 0 ? "A" : "B") + " (line " +
                    std::to_string(kHeaderLines + slot) + ")",
                inFile.empty() ? "none" : inFile, inOriginal.empty() ? "none" : inOriginal);
  }
}

std::size_t DifferingWords(const SampleBuffer& a, const SampleBuffer& b) {
  std::size_t count = 0;
  for (uint32_t i = 0; i + 1 < DataBytes(a) && i + 1 < DataBytes(b); i += 2) {
    count += ReadingSixteenths(SampleWord(a, i)) != ReadingSixteenths(SampleWord(b, i));
  }
  return count;
}

void Found(const archive::Recording& recording, VerifyOutcome& outcome) {
  outcome.recordingId = recording.id;
  outcome.recordingSha256 = recording.sha256;
}

// Recordings whose readings are the file's: the one whose export is the file byte for byte,
// else the oldest, whose header is then compared.
ArchiveStatus CheckSameReadings(archive::ArchiveStore& store, const std::vector<int64_t>& ids,
                                std::string_view file, VerifyOutcome& outcome) {
  archive::Recording oldest;
  Original oldestOriginal;
  for (const int64_t id : ids) {
    archive::Recording recording;
    if (const ArchiveStatus status = store.LoadRecording(id, recording); !status.ok()) {
      return status;
    }
    Original original;
    if (!LoadOriginal(recording, original)) continue;
    if (original.exportBytes == file) {
      Found(recording, outcome);
      outcome.result = VerifyResult::Matches;
      return {};
    }
    if (oldest.id == 0) {
      oldest = std::move(recording);
      oldestOriginal = std::move(original);
    }
  }
  if (oldest.id == 0) {
    outcome.note = "the recordings with these readings no longer read back";
    return {};
  }
  Found(oldest, outcome);
  CompareHeaders(file, oldestOriginal.exportBytes, outcome);
  outcome.result = outcome.differences.empty() ? VerifyResult::Matches : VerifyResult::Differs;
  if (outcome.result == VerifyResult::Matches) {
    outcome.note = "every reading and header value is the original's; the layout differs";
  }
  return {};
}

}  // namespace

bool IsTextExport(std::span<const uint8_t> file, std::string& problem) {
  static SampleBuffer samples;
  uint8_t channelMode = 1;
  const ExportReadResult read =
      ReadExportFile(reinterpret_cast<const char*>(file.data()), file.size(), samples, channelMode);
  if (read.status == ExportReadStatus::NotAnExport) return false;
  problem.clear();
  if (read.status != ExportReadStatus::Ok) {
    problem = ExportReadProblem(read.status);
    if (read.line != 0) problem += " (line " + std::to_string(read.line) + ")";
  }
  return true;
}

ArchiveStatus VerifyTextExport(archive::ArchiveStore& store, std::span<const uint8_t> file,
                               VerifyOutcome& outcome) {
  outcome.kind = VerifiedKind::TextExport;
  outcome.result = VerifyResult::NotFound;
  const std::string_view text(reinterpret_cast<const char*>(file.data()), file.size());
  archive::Recording asFile;
  std::string why;
  Original fromFile;
  if (!archive::RecordingOfImport(file, asFile, why) ||
      !archive::ReadImportedSamples(asFile, *fromFile.samples, fromFile.channelMode)) {
    outcome.note = why;
    return {};
  }
  const archive::RecordingFacts& facts = asFile.facts;
  std::vector<int64_t> ids;
  if (const ArchiveStatus status = store.FindByReadings(facts.readingsSha256, ids); !status.ok()) {
    return status;
  }
  if (!ids.empty()) return CheckSameReadings(store, ids, text, outcome);

  // No recording has these readings: the closest of the same logger, mode and length.
  archive::RecordingFilter filter;
  filter.loggerId = facts.loggerId;
  std::vector<archive::RecordingListing> listings;
  if (const ArchiveStatus status = store.ListRecordings(filter, listings); !status.ok()) {
    return status;
  }
  std::size_t fewest = SIZE_MAX;
  archive::Recording closest;
  Original closestOriginal;
  for (const archive::RecordingListing& listing : listings) {
    if (listing.facts.channelMode != facts.channelMode ||
        listing.facts.readings != facts.readings) {
      continue;
    }
    archive::Recording recording;
    if (const ArchiveStatus status = store.LoadRecording(listing.id, recording); !status.ok()) {
      return status;
    }
    Original original;
    if (!LoadOriginal(recording, original)) continue;
    const std::size_t differing = DifferingWords(*fromFile.samples, *original.samples);
    if (differing < fewest) {
      fewest = differing;
      closest = std::move(recording);
      closestOriginal = std::move(original);
    }
  }
  if (fewest == SIZE_MAX) {
    outcome.note = "no recording of the archive has these readings, nor the logger \"" +
                   facts.loggerId + "\" with " + std::to_string(facts.readings) +
                   " readings in this channel mode";
    return {};
  }
  Found(closest, outcome);
  outcome.result = VerifyResult::Differs;
  CompareHeaders(text, closestOriginal.exportBytes, outcome);
  CompareReadings(*fromFile.samples, *closestOriginal.samples, facts.channelMode, outcome);
  return {};
}

}  // namespace zv::cli
