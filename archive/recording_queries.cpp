#include "archive/recording_queries.h"

#include <algorithm>

#include "samples/export_reader.h"

namespace zv::archive {

const Event* RecordingDetails::FirstKeep() const {
  for (const Event& event : events) {
    if (event.columns.kind == EventKind::Download || event.columns.kind == EventKind::Import) {
      return &event;
    }
  }
  return nullptr;
}

std::optional<StartEstimate> RecordingDetails::EstimatedStart() const {
  const Event* keep = FirstKeep();
  if (keep == nullptr) return std::nullopt;
  return EstimateStart(recording.facts, keep->columns.atUtc);
}

ArchiveStatus ShowRecording(ArchiveStore& store, int64_t id, RecordingDetails& details) {
  return WithoutExceptions([&] {
    details = RecordingDetails{};
    ArchiveStatus status = store.BeginRead();
    if (!status.ok()) return status;
    status = store.LoadRecording(id, details.recording);
    if (status.ok()) {
      EventFilter filter;
      filter.recordingId = id;
      status = store.ScanEvents(filter, [&](const Event& event) {
        details.events.push_back(event);
        return true;
      });
    }
    store.EndRead();
    return status;
  });
}

bool RebuildDownload(const Recording& recording, LoggerInfo& info, SampleBuffer& samples) {
  if (recording.origin != RecordingOrigin::Downloaded || recording.infoTab.size() != kInfoTabSize ||
      recording.memory.size() > kSampleBufferSize) {
    return false;
  }
  info = LoggerInfo{};
  std::copy(recording.infoTab.begin(), recording.infoTab.end(), info.tab.bytes);
  DeriveAtConnect(info);
  std::copy(recording.memory.begin(), recording.memory.end(), samples.bytes);
  samples.n = static_cast<uint32_t>(recording.memory.size());
  // As the download does when the memory held another count than the table said.
  if (samples.n != info.knownByteCount) RecountAfterDownload(info, samples.n);
  return true;
}

bool ReadImportedSamples(const Recording& recording, SampleBuffer& samples, uint8_t& channelMode) {
  if (recording.origin != RecordingOrigin::Imported) return false;
  const ExportReadResult read =
      ReadExportFile(reinterpret_cast<const char*>(recording.exportFile.data()),
                     recording.exportFile.size(), samples, channelMode);
  return read.status == ExportReadStatus::Ok;
}

ArchiveStatus FindByReadings(ArchiveStore& store, const SampleBuffer& samples, uint8_t channelMode,
                             std::vector<int64_t>& ids) {
  return WithoutExceptions([&] {
    Sha256Digest readings;
    if (!ReadingsSha256(samples, channelMode, readings)) {
      return Failure(ArchiveFault::Failed, "hashing failed");
    }
    return store.FindByReadings(readings, ids);
  });
}

}  // namespace zv::archive
