// What the commands ask of a kept recording: everything about it, the samples and logger facts
// it gives back for an export, a report or a chart, and the recording a file was made from.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "archive/archive_store.h"
#include "archive/estimated_start.h"
#include "base/info_tab.h"
#include "base/sample_memory.h"

namespace zv::archive {

struct RecordingDetails {
  Recording recording;
  std::vector<Event> events;  // every event that names it, oldest first
  // The first event that kept it (its download or import), and the start estimated from it.
  const Event* FirstKeep() const;
  std::optional<StartEstimate> EstimatedStart() const;
};

ArchiveStatus ShowRecording(ArchiveStore& store, int64_t id, RecordingDetails& details);

// A downloaded recording as the program held it after the download: the table with its texts
// derived as at connect (and recounted when the memory held another byte count than the table
// said), and the memory bytes. False for an import.
bool RebuildDownload(const Recording& recording, LoggerInfo& info, SampleBuffer& samples);

// The samples an import's file holds, and their channel mode; false for a download, or a file
// that no longer reads.
bool ReadImportedSamples(const Recording& recording, SampleBuffer& samples, uint8_t& channelMode);

// The recordings whose readings are those of `samples` (a text export read back, say).
ArchiveStatus FindByReadings(ArchiveStore& store, const SampleBuffer& samples, uint8_t channelMode,
                             std::vector<int64_t>& ids);

}  // namespace zv::archive
