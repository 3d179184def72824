// The archive's rows in SQLite and the model they hold: which columns a query selects, and how
// one of its rows becomes a recording, a listing line or an event.
#pragma once

#include "archive/archive_store.h"
#include "archive/sqlite_query.h"

namespace zv::archive {

// Every column of `recordings`, in the order ReadRecordingRow reads them.
inline constexpr const char* kRecordingColumns =
    "id, sha256, origin, logger_id, channel_mode, byte_count, readings, interval_s, "
    "status_code, readings_sha256, info_tab, memory, export_file";

// A listing's columns over `recordings r` joined with its first event `e`.
inline constexpr const char* kListingColumns =
    "r.id, r.sha256, r.origin, r.logger_id, r.channel_mode, r.byte_count, r.readings, "
    "r.interval_s, r.status_code, r.readings_sha256, e.at_utc, e.seq, e.source";

inline constexpr const char* kEventColumns =
    "seq, kind, at_utc, recording_id, source, body, content_hash, chain_hash";

// Each false when a column holds what no archive of ours writes (a hash of the wrong size, an
// origin or kind without a name).
bool ReadRecordingRow(const SqliteQuery& row, Recording& out);
bool ReadListingRow(const SqliteQuery& row, RecordingListing& out);
bool ReadEventRow(const SqliteQuery& row, Event& out);

}  // namespace zv::archive
