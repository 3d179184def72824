// Keeping: a download or an import with its event, and any other event of the trail, each in one
// append (whole or absent), linked into the chain. Store-independent.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "archive/archive_store.h"
#include "archive/attribution.h"
#include "archive/event.h"
#include "base/info_tab.h"

namespace zv::archive {

struct KeptRecording {
  int64_t recordingId = 0;
  Sha256Digest sha256{};
  bool alreadyKept = false;  // the same bytes were kept before: only the event is new
  int64_t eventSeq = 0;
};

// A download: the table as received (before the program recounts it after the download) and
// the memory bytes as received, downloaded on `port`. The same bytes downloaded again add an
// event, not a second recording.
ArchiveStatus KeepDownload(ArchiveStore& store, const INFO_TAB& asReceived,
                           std::span<const uint8_t> memory, std::string_view port,
                           const Attribution& by, KeptRecording& kept);

// An export file (its bytes as read), imported from `path`. BadInput when it is not an export.
ArchiveStatus KeepImport(ArchiveStore& store, std::span<const uint8_t> exportFile,
                         std::string_view path, const Attribution& by, KeptRecording& kept);

// Any other event; one that names a recording needs it kept (NotFound otherwise). `seq`, when
// given, receives the event's number.
ArchiveStatus RecordEvent(ArchiveStore& store, const EventDraft& draft, const Attribution& by,
                          int64_t* seq = nullptr);

// Inside an append the caller began: `event` (its body, columns and content hash set) numbered
// and linked after the newest, with the recording `named` by its hash found, or inserted from
// `recording` when this archive lacks it (NotFound when it lacks it and `recording` is null),
// and the chain's new tip. Keeping uses it; so does copying an event that another archive
// wrote, whose body is kept verbatim and linked into this archive's chain anew.
ArchiveStatus AppendToChain(ArchiveStore& store, const Recording* recording,
                            const std::optional<Sha256Digest>& named, Event& event,
                            KeptRecording& kept);

}  // namespace zv::archive
