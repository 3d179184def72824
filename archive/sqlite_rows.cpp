#include "archive/sqlite_rows.h"

#include <cstring>

namespace zv::archive {

namespace {

bool CopyDigest(std::span<const uint8_t> bytes, Sha256Digest& digest) {
  if (bytes.size() != digest.size()) return false;
  std::memcpy(digest.data(), bytes.data(), digest.size());
  return true;
}

template <typename T>
std::optional<T> OptionalInt(const SqliteQuery& row, int column) {
  if (row.IsNull(column)) return std::nullopt;
  return static_cast<T>(row.Int(column));
}

// Columns 0 to 9, which a recording and a listing line share: id, hash and facts.
bool ReadIdAndFacts(const SqliteQuery& row, int64_t& id, Sha256Digest& sha256,
                    RecordingFacts& facts) {
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

void CopyBytes(std::span<const uint8_t> bytes, std::vector<uint8_t>& out) {
  out.assign(bytes.begin(), bytes.end());
}

}  // namespace

bool ReadRecordingRow(const SqliteQuery& row, Recording& out) {
  if (!ReadIdAndFacts(row, out.id, out.sha256, out.facts)) return false;
  out.origin = out.facts.origin;
  CopyBytes(row.Blob(10), out.infoTab);
  CopyBytes(row.Blob(11), out.memory);
  CopyBytes(row.Blob(12), out.exportFile);
  return true;
}

bool ReadListingRow(const SqliteQuery& row, RecordingListing& out) {
  out.keptAtUtc = row.Int(10);
  out.keptBySeq = row.Int(11);
  out.source = row.Text(12);
  return ReadIdAndFacts(row, out.id, out.sha256, out.facts);
}

bool ReadEventRow(const SqliteQuery& row, Event& out) {
  out.seq = row.Int(0);
  out.recordingId = row.IsNull(3) ? 0 : row.Int(3);
  out.columns.atUtc = row.Int(2);
  out.columns.source = row.Text(4);
  out.body = row.Text(5);
  return KindFromName(row.Text(1), out.columns.kind) && CopyDigest(row.Blob(6), out.contentHash) &&
         CopyDigest(row.Blob(7), out.chainHash);
}

}  // namespace zv::archive
