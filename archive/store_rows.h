// The archive's rows as every store selects them, and how one row becomes a recording, a
// listing line or an event. Both stores hold the same columns, so one reading serves both: a
// row is anything that answers IsNull, Int, Text and Blob by column number (SqliteQuery,
// PostgresRow).
#pragma once

#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include "archive/archive_store.h"

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

namespace rows {

inline bool CopyDigest(std::span<const uint8_t> bytes, Sha256Digest& digest) {
  if (bytes.size() != digest.size()) return false;
  std::memcpy(digest.data(), bytes.data(), digest.size());
  return true;
}

template <typename T, typename Row>
std::optional<T> OptionalInt(const Row& row, int column) {
  if (row.IsNull(column)) return std::nullopt;
  return static_cast<T>(row.Int(column));
}

// Columns 0 to 9, which a recording and a listing line share: id, hash and facts.
template <typename Row>
bool ReadIdAndFacts(const Row& row, int64_t& id, Sha256Digest& sha256, RecordingFacts& facts) {
  id = row.Int(0);
  facts.loggerId = row.Text(3);
  facts.channelMode = static_cast<uint8_t>(row.Int(4));
  facts.byteCount = static_cast<uint32_t>(row.Int(5));
  facts.readings = static_cast<uint32_t>(row.Int(6));
  facts.intervalSeconds = OptionalInt<uint32_t>(row, 7);
  facts.statusCode = OptionalInt<uint8_t>(row, 8);
  return CopyDigest(row.Blob(1), sha256) && OriginFromName(row.Text(2), facts.origin) &&
         CopyDigest(row.Blob(9), facts.readingsSha256);
}

inline void CopyBytes(std::span<const uint8_t> bytes, std::vector<uint8_t>& out) {
  out.assign(bytes.begin(), bytes.end());
}

}  // namespace rows

// Each false when a column holds what no archive of ours writes (a hash of the wrong size, an
// origin or kind without a name).
template <typename Row>
bool ReadRecordingRow(const Row& row, Recording& out) {
  if (!rows::ReadIdAndFacts(row, out.id, out.sha256, out.facts)) return false;
  out.origin = out.facts.origin;
  rows::CopyBytes(row.Blob(10), out.infoTab);
  rows::CopyBytes(row.Blob(11), out.memory);
  rows::CopyBytes(row.Blob(12), out.exportFile);
  return true;
}

template <typename Row>
bool ReadListingRow(const Row& row, RecordingListing& out) {
  out.keptAtUtc = row.Int(10);
  out.keptBySeq = row.Int(11);
  out.source = row.Text(12);
  return rows::ReadIdAndFacts(row, out.id, out.sha256, out.facts);
}

template <typename Row>
bool ReadEventRow(const Row& row, Event& out) {
  out.seq = row.Int(0);
  out.recordingId = row.IsNull(3) ? 0 : row.Int(3);
  out.columns.atUtc = row.Int(2);
  out.columns.source = row.Text(4);
  out.body = row.Text(5);
  return KindFromName(row.Text(1), out.columns.kind) &&
         rows::CopyDigest(row.Blob(6), out.contentHash) &&
         rows::CopyDigest(row.Blob(7), out.chainHash);
}

}  // namespace zv::archive
