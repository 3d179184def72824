#include "archive/sqlite_schema.h"

#include <iterator>

#include "archive/archive_store.h"

namespace zv::archive {

namespace {

// Version 1. A recording's small columns come before its bytes, so a listing reads them from
// the row's first page without walking the bytes' overflow pages. Every index serves a query:
// the hash (keeping the same bytes twice, `verify FILE`), the readings hash (`verify` of an
// export), the identifier (`list --logger`), an event's recording (a listing's first keep,
// `show`), its time (`log --since`) and its content hash (copying between archives).
constexpr const char* kVersion1 = R"sql(
CREATE TABLE meta (
  key TEXT PRIMARY KEY,
  value TEXT NOT NULL
) STRICT;

CREATE TABLE recordings (
  id INTEGER PRIMARY KEY,
  sha256 BLOB NOT NULL UNIQUE,
  origin TEXT NOT NULL CHECK (origin IN ('downloaded', 'imported')),
  logger_id TEXT NOT NULL,
  channel_mode INTEGER NOT NULL,
  byte_count INTEGER NOT NULL,
  readings INTEGER NOT NULL,
  interval_s INTEGER,
  status_code INTEGER,
  readings_sha256 BLOB NOT NULL,
  info_tab BLOB,
  memory BLOB,
  export_file BLOB
) STRICT;
CREATE INDEX recordings_by_readings ON recordings (readings_sha256);
CREATE INDEX recordings_by_logger ON recordings (logger_id);

CREATE TABLE events (
  seq INTEGER PRIMARY KEY,
  kind TEXT NOT NULL CHECK (kind IN ('download', 'import', 'info', 'config_write',
                                     'file_written', 'verify')),
  at_utc INTEGER NOT NULL,
  recording_id INTEGER REFERENCES recordings (id),
  source TEXT NOT NULL,
  body TEXT NOT NULL,
  content_hash BLOB NOT NULL UNIQUE,
  chain_hash BLOB NOT NULL
) STRICT;
CREATE INDEX events_by_recording ON events (recording_id, seq);
CREATE INDEX events_by_time ON events (at_utc);

INSERT INTO meta (key, value) VALUES
  ('application', 'zorvant2 archive'),
  ('chain_seq', '0'),
  ('chain_hash', '0000000000000000000000000000000000000000000000000000000000000000');
)sql";

constexpr const char* kSteps[] = {kVersion1};
static_assert(std::size(kSteps) == kArchiveSchemaVersion, "one step to each version");

}  // namespace

const char* SqliteSchemaStep(int from) {
  return from >= 0 && from < static_cast<int>(std::size(kSteps)) ? kSteps[from] : nullptr;
}

}  // namespace zv::archive
