// The seam between the archive and a database: the few things a store must do. Everything above
// it (keeping, the chain, verifying, listing, copying) is written once, in keep.h, verify.h,
// recording_queries.h and copy_archive.h; a store is one class (SQLite, PostgreSQL).
//
// A store holds the same three tables everywhere: `meta` (the schema version and the chain's
// newest link), `recordings` (the bytes, their SHA-256 and the facts read from them) and
// `events` (each body verbatim with its content and chain hashes, and the columns read from it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "archive/archive_status.h"
#include "archive/event.h"
#include "archive/recording.h"

namespace zv::archive {

// The schema this program writes; an older one is migrated, a newer one refused.
inline constexpr int kArchiveSchemaVersion = 1;

// The refusal of an archive a newer program wrote, worded once for every store.
inline ArchiveStatus NewerSchemaFailure(const std::string& name, int version) {
  return Failure(ArchiveFault::NewerSchema,
                 "archive " + name + " was written by a newer program (schema version " +
                     std::to_string(version) + "; this one knows up to " +
                     std::to_string(kArchiveSchemaVersion) +
                     "): use a newer zorvant-cli; the archive is left as it is");
}

enum class OpenMode : uint8_t {
  ReadWrite,  // created when absent
  ReadOnly,   // never created, migrated or written
};

struct RecordingFilter {
  std::optional<std::string> loggerId;  // exactly this identifier (UTF-8)
  std::optional<int64_t> keptSinceUtc;  // first kept at or after
};

// One line of a listing: the recording's facts and its first keeping (download or import).
struct RecordingListing {
  int64_t id = 0;
  Sha256Digest sha256{};
  RecordingFacts facts;
  int64_t keptAtUtc = 0;
  int64_t keptBySeq = 0;  // the event that kept it first
  std::string source;     // the port it was downloaded on, or the file imported
};

struct EventFilter {
  std::optional<int64_t> recordingId;
  std::optional<int64_t> sinceUtc;
  std::optional<EventKind> kind;
  int64_t afterSeq = 0;
  std::size_t limit = 0;  // at most this many, the oldest first; 0 for all
};

// One store is one connection: use it from one thread at a time (two threads, two stores).
class ArchiveStore {
 public:
  virtual ~ArchiveStore() = default;

  // How messages name the store: a path, or a URL without its password.
  virtual const std::string& Name() const = 0;

  // The schema version the store holds; 0 for an empty store, ready to be set up. A store that
  // is not an archive of ours is NotAnArchive, and is never written.
  virtual ArchiveStatus ReadSchemaVersion(int& version) = 0;
  // Sets up an empty store, or migrates an older one, to kArchiveSchemaVersion in one
  // transaction that first reads the version again (another program may have done it).
  virtual ArchiveStatus UpgradeSchema() = 0;

  // The append: whatever is inserted between BeginAppend and CommitAppend is kept whole or not
  // at all, and appends of two writers never interleave (the chain tip read inside is the
  // newest). A failed CommitAppend has kept nothing.
  virtual ArchiveStatus BeginAppend() = 0;
  virtual ArchiveStatus CommitAppend() = 0;
  virtual void AbandonAppend() = 0;
  virtual ArchiveStatus InsertRecording(const Recording& recording, int64_t& id) = 0;
  virtual ArchiveStatus InsertEvent(const Event& event) = 0;  // its seq given by the caller
  virtual ArchiveStatus WriteChainTip(const ChainTip& tip) = 0;

  // Reading, inside an append, inside a snapshot (BeginRead to EndRead: every query sees the
  // archive as it was at the first), or alone.
  virtual ArchiveStatus BeginRead() = 0;
  virtual void EndRead() = 0;
  virtual ArchiveStatus ReadChainTip(ChainTip& tip) = 0;
  // The recording of that hash; id 0 when there is none.
  virtual ArchiveStatus FindRecording(const Sha256Digest& sha256, int64_t& id) = 0;
  // The event whose body has that content hash (the same event in any archive); seq 0 when
  // there is none.
  virtual ArchiveStatus FindEvent(const Sha256Digest& contentHash, int64_t& seq) = 0;
  // The recordings whose readings hash is that, oldest first.
  virtual ArchiveStatus FindByReadings(const Sha256Digest& readingsSha256,
                                       std::vector<int64_t>& ids) = 0;
  virtual ArchiveStatus ListRecordings(const RecordingFilter& filter,
                                       std::vector<RecordingListing>& out) = 0;
  // NotFound when there is no such recording.
  virtual ArchiveStatus LoadRecording(int64_t id, Recording& out) = 0;
  // Every recording by id, then every event matching by seq, streamed; `visit` returns false
  // to stop early.
  virtual ArchiveStatus ScanRecordings(const std::function<bool(const Recording&)>& visit) = 0;
  virtual ArchiveStatus ScanEvents(const EventFilter& filter,
                                   const std::function<bool(const Event&)>& visit) = 0;
};

}  // namespace zv::archive
