#include "cli/download_keeping.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <span>

#include "archive/estimated_start.h"
#include "archive/event_drafts.h"
#include "archive/keep.h"
#include "base/safe_text.h"
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

// One event of the trail, in its own append.
int RecordInArchive(const char* command, const ArchiveChoice& choice,
                    const archive::EventDraft& draft) {
  if (choice.none) return kExitOk;
  std::unique_ptr<archive::ArchiveStore> store;
  if (!OpenChosenArchive(command, choice, archive::OpenMode::ReadWrite, store)) {
    return NotWritten(command, {});
  }
  const archive::ArchiveStatus status =
      archive::RecordEvent(*store, draft, archive::AttributionNow());
  if (!status.ok()) return NotWritten(command, status);
  return kExitOk;
}

// The file as it lies on disk, hashed piece by piece.
bool Sha256OfFile(const std::string& path, archive::Sha256Digest& digest) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  archive::Sha256 hash;
  char chunk[1 << 16];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    hash.Add(
        std::span(reinterpret_cast<const uint8_t*>(chunk), static_cast<std::size_t>(in.gcount())));
  }
  return !in.bad() && hash.Finish(digest);
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
  return RecordInArchive(command, choice, archive::InfoDraft(port, table));
}

int RecordConfigWriteInArchive(const char* command, const ArchiveChoice& choice, const char* port,
                               const INFO_TAB& before, const INFO_TAB& after,
                               const GivenAnswers& answers, const char* outcome) {
  return RecordInArchive(command, choice,
                         archive::ConfigWriteDraft(port, before, after, answers, outcome));
}

int RecordFileWrittenInArchive(const char* command, const ArchiveChoice& choice,
                               const std::string& path, const char* format,
                               const std::string& recordingSha256) {
  if (choice.none || path == "-") return kExitOk;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return kExitOk;
  archive::Sha256Digest fileSha256{};
  if (!Sha256OfFile(path, fileSha256)) {
    std::fprintf(stderr, "zorvant-cli %s: %s cannot be read back to be hashed\n", command,
                 Echoed(path).c_str());
    return NotWritten(command, {});
  }
  std::optional<archive::Sha256Digest> recording;
  archive::Sha256Digest named{};
  if (archive::DigestFromHex(recordingSha256, named)) recording = named;
  return RecordInArchive(command, choice,
                         archive::FileWrittenDraft(command, path, format, fileSha256, recording));
}

}  // namespace zv::cli
