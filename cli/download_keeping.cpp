#include "cli/download_keeping.h"

#include <cstdio>
#include <memory>
#include <span>

#include "archive/estimated_start.h"
#include "archive/event_drafts.h"
#include "archive/keep.h"
#include "cli/archive_access.h"
#include "cli/exit_codes.h"

namespace zv::cli {

namespace {

int NotWritten(const char* command, const archive::ArchiveStatus& status) {
  if (!status.ok()) PrintArchiveFailure(command, status);
  std::fprintf(stderr,
               "zorvant-cli %s: the archive was not written; the command's own output is not "
               "affected\n",
               command);
  return kExitArchiveNotWritten;
}

}  // namespace

void IdentifyDownload(const INFO_TAB& asReceived, const SampleBuffer& memory,
                      int64_t downloadedAtUtc, RecordingIdentity& identity,
                      std::optional<int64_t>& estimatedStartUtc) {
  archive::Recording recording;
  if (!archive::RecordingOfDownload(asReceived, std::span(memory.bytes, DataBytes(memory)),
                                    recording)) {
    return;
  }
  identity.sha256 = archive::HexOf(recording.sha256);
  identity.origin = KeptOrigin::Downloaded;
  if (const auto start = archive::EstimateStart(recording.facts, downloadedAtUtc)) {
    estimatedStartUtc = start->firstReadingUtc;
  }
}

int KeepDownloadInArchive(const char* command, const ArchiveChoice& choice,
                          const INFO_TAB& asReceived, const SampleBuffer& memory, const char* port,
                          RecordingIdentity& identity) {
  if (choice.none) return kExitOk;
  std::unique_ptr<archive::ArchiveStore> store;
  if (!OpenChosenArchive(command, choice, archive::OpenMode::ReadWrite, store)) {
    return NotWritten(command, {});
  }
  archive::KeptRecording kept;
  const archive::ArchiveStatus status =
      archive::KeepDownload(*store, asReceived, std::span(memory.bytes, DataBytes(memory)), port,
                            archive::AttributionNow(), kept);
  if (!status.ok()) return NotWritten(command, status);
  identity.sha256 = archive::HexOf(kept.sha256);
  identity.archiveId = kept.recordingId;
  identity.origin = KeptOrigin::Downloaded;
  std::fprintf(stderr, "zorvant-cli %s: kept in the archive as recording %lld%s\n", command,
               static_cast<long long>(kept.recordingId),
               kept.alreadyKept ? " (the same bytes as before)" : "");
  return kExitOk;
}

int RecordInfoInArchive(const char* command, const ArchiveChoice& choice, const INFO_TAB& table,
                        const char* port) {
  if (choice.none) return kExitOk;
  std::unique_ptr<archive::ArchiveStore> store;
  if (!OpenChosenArchive(command, choice, archive::OpenMode::ReadWrite, store)) {
    return NotWritten(command, {});
  }
  const archive::ArchiveStatus status =
      archive::RecordEvent(*store, archive::InfoDraft(port, table), archive::AttributionNow());
  if (!status.ok()) return NotWritten(command, status);
  return kExitOk;
}

}  // namespace zv::cli
