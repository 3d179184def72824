#include "cli/archive_source.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "archive/open_archive.h"
#include "archive/recording_queries.h"
#include "cli/archive_access.h"
#include "cli/exit_codes.h"

namespace zv::cli {

namespace {

RecordingIdentity IdentityOf(const archive::Recording& kept) {
  RecordingIdentity identity;
  identity.sha256 = archive::HexOf(kept.sha256);
  identity.archiveId = kept.id;
  identity.origin = kept.origin == archive::RecordingOrigin::Imported ? KeptOrigin::Imported
                                                                      : KeptOrigin::Downloaded;
  return identity;
}

int Unreadable(const char* command, int64_t id) {
  std::fprintf(stderr, "zorvant-cli %s: the bytes of recording %lld do not read back\n", command,
               static_cast<long long>(id));
  return kExitArchiveUnreadable;
}

}  // namespace

int LoadKeptRecording(const char* command, const ArchiveChoice& choice, int64_t id,
                      Recording& recording) {
  // Fixed storage, as a download's: valid until the next load.
  static LoggerInfo info;
  static SampleBuffer samples;
  if (choice.none) {
    std::fprintf(stderr, "zorvant-cli %s: --no-archive leaves no archive to read\n", command);
    return kExitUsage;
  }
  std::unique_ptr<archive::ArchiveStore> store;
  if (!OpenChosenArchive(command, choice, archive::OpenMode::ReadOnly, store)) {
    return kExitArchiveUnreadable;
  }
  archive::RecordingDetails details;
  if (const archive::ArchiveStatus status = archive::ShowRecording(*store, id, details);
      !status.ok()) {
    PrintArchiveFailure(command, status);
    return status.fault == archive::ArchiveFault::NotFound ? kExitArchiveNotFound
                                                           : kExitArchiveUnreadable;
  }
  const archive::Recording& kept = details.recording;
  if (kept.origin == archive::RecordingOrigin::Imported) {
    ExportRecording file;
    const int read = ReadExport(command, recording.source.name.c_str(), kept.exportFile, file);
    if (read != kExitOk) return read;
    TakeExport(file, recording);
  } else {
    if (!archive::RebuildDownload(kept, info, samples)) return Unreadable(command, id);
    TakeDownload(info, samples, recording);
  }
  recording.identity = IdentityOf(kept);
  if (const auto start = details.EstimatedStart()) {
    recording.estimatedStartUtc = start->firstReadingUtc;
  }
  return kExitOk;
}

RecordingIdentity FindReadingsInArchive(const ArchiveChoice& choice, const SampleBuffer& samples,
                                        uint8_t channelMode) {
  if (choice.none) return {};
  archive::ArchiveLocation location;
  std::unique_ptr<archive::ArchiveStore> store;
  if (!archive::ResolveArchiveLocation(choice.where.empty() ? nullptr : choice.where.c_str(),
                                       location)
           .ok() ||
      !archive::OpenArchive(location, archive::OpenMode::ReadOnly, store).ok()) {
    return {};
  }
  std::vector<int64_t> ids;
  archive::Recording kept;
  if (!archive::FindByReadings(*store, samples, channelMode, ids).ok() || ids.empty() ||
      !store->LoadRecording(ids.front(), kept).ok()) {
    return {};
  }
  return IdentityOf(kept);
}

}  // namespace zv::cli
