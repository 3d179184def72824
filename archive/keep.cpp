#include "archive/keep.h"

#include <string>

namespace zv::archive {

namespace {

ArchiveStatus Internal(const ArchiveStore& store, const char* what) {
  return Failure(ArchiveFault::Failed, "archive " + store.Name() + ": " + what);
}

// The event made ready outside the append, which then only numbers and links it.
ArchiveStatus PrepareEvent(const ArchiveStore& store, const EventDraft& draft,
                           const Attribution& by, Event& event) {
  if (!WriteEventBody(draft, by, event.body)) return Internal(store, "no random id to be had");
  // The columns come from the body by the one reading verify uses too.
  std::optional<Sha256Digest> named;
  if (!ReadEventColumns(event.body, event.columns, named)) {
    return Internal(store, "unreadable event");
  }
  if (!ContentHash(event.body, event.contentHash)) return Internal(store, "hashing failed");
  return {};
}

ArchiveStatus Append(ArchiveStore& store, const Recording* recording, const EventDraft& draft,
                     const Attribution& by, KeptRecording& kept) {
  Event event;
  ArchiveStatus status = PrepareEvent(store, draft, by, event);
  if (!status.ok()) return status;
  status = store.BeginAppend();
  if (!status.ok()) return status;
  status = AppendToChain(store, recording, draft.recording, event, kept);
  if (status.ok()) status = store.CommitAppend();
  if (!status.ok()) {
    store.AbandonAppend();
    kept = KeptRecording{};
  }
  return status;
}

}  // namespace

ArchiveStatus AppendToChain(ArchiveStore& store, const Recording* recording,
                            const std::optional<Sha256Digest>& named, Event& event,
                            KeptRecording& kept) {
  if (named) {
    kept.sha256 = *named;
    ArchiveStatus status = store.FindRecording(kept.sha256, kept.recordingId);
    if (!status.ok()) return status;
    kept.alreadyKept = kept.recordingId != 0;
    if (kept.recordingId == 0 && recording == nullptr) {
      return Failure(ArchiveFault::NotFound,
                     "archive " + store.Name() + ": no recording " + HexOf(kept.sha256));
    }
    if (kept.recordingId == 0) {
      status = store.InsertRecording(*recording, kept.recordingId);
      if (!status.ok()) return status;
    }
    event.recordingId = kept.recordingId;
  }
  ChainTip tip;
  ArchiveStatus status = store.ReadChainTip(tip);
  if (!status.ok()) return status;
  event.seq = tip.seq + 1;
  if (!ChainHash(tip.hash, event.contentHash, event.chainHash)) {
    return Internal(store, "hashing failed");
  }
  status = store.InsertEvent(event);
  if (!status.ok()) return status;
  status = store.WriteChainTip({event.seq, event.chainHash});
  if (!status.ok()) return status;
  kept.eventSeq = event.seq;
  return {};
}

ArchiveStatus KeepDownload(ArchiveStore& store, const INFO_TAB& asReceived,
                           std::span<const uint8_t> memory, std::string_view port,
                           const Attribution& by, KeptRecording& kept) {
  return WithoutExceptions([&] {
    Recording recording;
    if (!RecordingOfDownload(asReceived, memory, recording)) {
      return Failure(ArchiveFault::BadInput, "archive " + store.Name() + ": a download of " +
                                                 std::to_string(memory.size()) +
                                                 " bytes cannot be kept");
    }
    EventDraft draft;
    draft.kind = EventKind::Download;
    draft.recording = recording.sha256;
    draft.source = port;
    draft.details = {{"origin", OriginName(recording.origin)}};
    return Append(store, &recording, draft, by, kept);
  });
}

ArchiveStatus KeepImport(ArchiveStore& store, std::span<const uint8_t> exportFile,
                         std::string_view path, const Attribution& by, KeptRecording& kept) {
  return WithoutExceptions([&] {
    Recording recording;
    std::string why;
    if (!RecordingOfImport(exportFile, recording, why)) {
      return Failure(ArchiveFault::BadInput, std::string(path) + ": " + why);
    }
    EventDraft draft;
    draft.kind = EventKind::Import;
    draft.recording = recording.sha256;
    draft.source = path;
    draft.details = {{"origin", OriginName(recording.origin)}, {"file_bytes", exportFile.size()}};
    return Append(store, &recording, draft, by, kept);
  });
}

ArchiveStatus RecordEvent(ArchiveStore& store, const EventDraft& draft, const Attribution& by,
                          int64_t* seq) {
  return WithoutExceptions([&] {
    if (draft.kind == EventKind::Download || draft.kind == EventKind::Import) {
      return Failure(ArchiveFault::BadInput, "a download or an import is kept with its bytes");
    }
    KeptRecording kept;
    ArchiveStatus status = Append(store, nullptr, draft, by, kept);
    if (status.ok() && seq != nullptr) *seq = kept.eventSeq;
    return status;
  });
}

}  // namespace zv::archive
