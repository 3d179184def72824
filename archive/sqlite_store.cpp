#include "archive/sqlite_store.h"

#include <sqlite3.h>

#include <array>
#include <charconv>
#include <chrono>
#include <filesystem>

#include "archive/sqlite_failure.h"
#include "archive/sqlite_query.h"
#include "archive/sqlite_rows.h"
#include "archive/sqlite_schema.h"

namespace zv::archive {

namespace {

// Long enough for another program's keep or a migration to finish; a keep takes milliseconds.
constexpr int kBusyTimeoutMs = 15000;

// The statements an append and a lookup use, prepared once per connection.
enum Cached : std::size_t {
  kFindRecording,
  kInsertRecording,
  kInsertEvent,
  kReadMeta,
  kWriteMeta,
  kCachedCount
};

constexpr const char* kCachedSql[kCachedCount] = {
    "SELECT id FROM recordings WHERE sha256 = ?1",
    ("INSERT INTO recordings (sha256, origin, logger_id, channel_mode, byte_count, readings, "
     "interval_s, status_code, readings_sha256, info_tab, memory, export_file) "
     "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)"),
    ("INSERT INTO events (seq, kind, at_utc, recording_id, source, body, content_hash, "
     "chain_hash) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)"),
    "SELECT value FROM meta WHERE key = ?1",
    "INSERT OR REPLACE INTO meta (key, value) VALUES (?1, ?2)",
};

bool ParseInt(std::string_view text, int64_t& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

class SqliteStore final : public ArchiveStore {
 public:
  SqliteStore(sqlite3* db, std::string path) : db_(db), name_(std::move(path)) {}
  ~SqliteStore() override {
    for (sqlite3_stmt* statement : cached_) sqlite3_finalize(statement);
    sqlite3_close_v2(db_);
  }

  const std::string& Name() const override { return name_; }

  // Whether the database is ours: our application id, or none and no tables at all (an
  // empty or new file). Reading the header of a file that is not a database fails here,
  // before anything could be written to it.
  ArchiveStatus ReadSchemaVersion(int& version) override {
    int64_t applicationId = 0;
    ArchiveStatus status = SingleInt("PRAGMA application_id", applicationId);
    if (!status.ok()) return status;
    if (applicationId == 0) {
      int64_t objects = 0;
      status = SingleInt("SELECT count(*) FROM sqlite_schema", objects);
      if (!status.ok()) return status;
      if (objects != 0) return Foreign("an SQLite database of another program");
      version = 0;
      return {};
    }
    if (applicationId != kSqliteApplicationId) {
      return Foreign("an SQLite database of another program (application id " +
                     std::to_string(applicationId) + ")");
    }
    std::string value;
    status = ReadMeta("schema_version", value);
    int64_t number = 0;
    if (status.ok() && !ParseInt(value, number)) {
      return Failure(ArchiveFault::Corrupt, "archive " + name_ + " is damaged: no schema version");
    }
    version = static_cast<int>(number);
    return status;
  }

  ArchiveStatus UpgradeSchema() override {
    ArchiveStatus status = BeginAppend();
    if (!status.ok()) return status;
    status = UpgradeSteps();
    if (status.ok()) status = CommitAppend();
    if (!status.ok()) AbandonAppend();
    return status;
  }

  ArchiveStatus BeginAppend() override {
    ArchiveStatus status = Execute("BEGIN IMMEDIATE", "starting to keep");
    appending_ = status.ok();
    return status;
  }

  ArchiveStatus CommitAppend() override {
    ArchiveStatus status = Execute("COMMIT", "keeping");
    if (status.ok()) appending_ = false;
    return status;
  }

  void AbandonAppend() override {
    if (sqlite3_get_autocommit(db_) == 0) {
      sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    appending_ = false;
  }

  ArchiveStatus InsertRecording(const Recording& recording, int64_t& id) override {
    const RecordingFacts& facts = recording.facts;
    SqliteQuery query = Statement(kInsertRecording);
    query.Bind(1, recording.sha256);
    query.Bind(2, std::string_view(OriginName(recording.origin)));
    query.Bind(3, facts.loggerId);
    query.Bind(4, int64_t{facts.channelMode});
    query.Bind(5, int64_t{facts.byteCount});
    query.Bind(6, int64_t{facts.readings});
    query.Bind(7, facts.intervalSeconds);
    query.Bind(8, facts.statusCode);
    query.Bind(9, facts.readingsSha256);
    query.Bind(10, recording.infoTab);
    query.Bind(11, recording.memory);
    query.Bind(12, recording.exportFile);
    const int result = query.Step();
    if (result != SQLITE_DONE) return Fail(result, "keeping a recording");
    id = sqlite3_last_insert_rowid(db_);
    return {};
  }

  ArchiveStatus InsertEvent(const Event& event) override {
    SqliteQuery query = Statement(kInsertEvent);
    query.Bind(1, event.seq);
    query.Bind(2, std::string_view(KindName(event.columns.kind)));
    query.Bind(3, event.columns.atUtc);
    if (event.recordingId != 0) query.Bind(4, event.recordingId);
    query.Bind(5, event.columns.source);
    query.Bind(6, event.body);
    query.Bind(7, event.contentHash);
    query.Bind(8, event.chainHash);
    const int result = query.Step();
    return result == SQLITE_DONE ? ArchiveStatus{} : Fail(result, "keeping an event");
  }

  ArchiveStatus WriteChainTip(const ChainTip& tip) override {
    ArchiveStatus status = WriteMeta("chain_seq", std::to_string(tip.seq));
    return status.ok() ? WriteMeta("chain_hash", HexOf(tip.hash)) : status;
  }

  ArchiveStatus BeginRead() override { return Execute("BEGIN", "reading"); }
  void EndRead() override { sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr); }

  ArchiveStatus ReadChainTip(ChainTip& tip) override {
    std::string seq;
    std::string hash;
    ArchiveStatus status = ReadMeta("chain_seq", seq);
    if (status.ok()) status = ReadMeta("chain_hash", hash);
    if (!status.ok()) return status;
    if (!ParseInt(seq, tip.seq) || !DigestFromHex(hash, tip.hash)) {
      return Failure(ArchiveFault::Corrupt, "archive " + name_ + " is damaged: no chain tip");
    }
    return {};
  }

  ArchiveStatus FindRecording(const Sha256Digest& sha256, int64_t& id) override {
    SqliteQuery query = Statement(kFindRecording);
    query.Bind(1, sha256);
    const int result = query.Step();
    id = result == SQLITE_ROW ? query.Int(0) : 0;
    return result == SQLITE_ROW || result == SQLITE_DONE ? ArchiveStatus{}
                                                         : Fail(result, "finding a recording");
  }

  ArchiveStatus FindByReadings(const Sha256Digest& readingsSha256,
                               std::vector<int64_t>& ids) override {
    ids.clear();
    return Scan(
        "SELECT id FROM recordings WHERE readings_sha256 = ?1 ORDER BY id",
        [&](SqliteQuery& query) { query.Bind(1, readingsSha256); },
        [&](const SqliteQuery& row) {
          ids.push_back(row.Int(0));
          return true;
        },
        "finding a recording");
  }

  // Each recording with the event that kept it first: the oldest event naming it, which is
  // its keep, since a recording enters the archive with its keep event.
  ArchiveStatus ListRecordings(const RecordingFilter& filter,
                               std::vector<RecordingListing>& out) override {
    out.clear();
    std::string sql = std::string("SELECT ") + kListingColumns +
                      " FROM recordings r JOIN events e ON e.seq = "
                      "(SELECT min(seq) FROM events WHERE recording_id = r.id) WHERE 1";
    if (filter.loggerId) sql += " AND r.logger_id = ?1";
    if (filter.keptSinceUtc) sql += " AND e.at_utc >= ?2";
    sql += " ORDER BY r.id";
    bool readable = true;
    ArchiveStatus status = Scan(
        sql.c_str(),
        [&](SqliteQuery& query) {
          if (filter.loggerId) query.Bind(1, *filter.loggerId);
          if (filter.keptSinceUtc) query.Bind(2, *filter.keptSinceUtc);
        },
        [&](const SqliteQuery& row) {
          readable = ReadListingRow(row, out.emplace_back());
          return readable;
        },
        "listing");
    return status.ok() && !readable ? Damaged("a recording") : status;
  }

  ArchiveStatus LoadRecording(int64_t id, Recording& out) override {
    bool found = false;
    bool readable = true;
    const std::string sql =
        std::string("SELECT ") + kRecordingColumns + " FROM recordings WHERE id = ?1";
    ArchiveStatus status = Scan(
        sql.c_str(), [&](SqliteQuery& query) { query.Bind(1, id); },
        [&](const SqliteQuery& row) {
          found = true;
          readable = ReadRecordingRow(row, out);
          return false;
        },
        "reading a recording");
    if (!status.ok()) return status;
    if (!readable) return Damaged("recording " + std::to_string(id));
    if (!found) {
      return Failure(ArchiveFault::NotFound,
                     "archive " + name_ + ": no recording " + std::to_string(id));
    }
    return {};
  }

  ArchiveStatus ScanRecordings(const std::function<bool(const Recording&)>& visit) override {
    const std::string sql =
        std::string("SELECT ") + kRecordingColumns + " FROM recordings ORDER BY id";
    Recording recording;  // its buffers reused from row to row
    bool readable = true;
    ArchiveStatus status = Scan(
        sql.c_str(), [](SqliteQuery&) {},
        [&](const SqliteQuery& row) {
          readable = ReadRecordingRow(row, recording);
          return readable && visit(recording);
        },
        "reading the recordings");
    return status.ok() && !readable ? Damaged("recording " + std::to_string(recording.id)) : status;
  }

  ArchiveStatus ScanEvents(const EventFilter& filter,
                           const std::function<bool(const Event&)>& visit) override {
    std::string sql = std::string("SELECT ") + kEventColumns + " FROM events WHERE seq > ?1";
    if (filter.recordingId) sql += " AND recording_id = ?2";
    if (filter.sinceUtc) sql += " AND at_utc >= ?3";
    if (filter.kind) sql += " AND kind = ?4";
    sql += " ORDER BY seq";
    Event event;
    bool readable = true;
    ArchiveStatus status = Scan(
        sql.c_str(),
        [&](SqliteQuery& query) {
          query.Bind(1, filter.afterSeq);
          if (filter.recordingId) query.Bind(2, *filter.recordingId);
          if (filter.sinceUtc) query.Bind(3, *filter.sinceUtc);
          if (filter.kind) query.Bind(4, std::string_view(KindName(*filter.kind)));
        },
        [&](const SqliteQuery& row) {
          readable = ReadEventRow(row, event);
          return readable && visit(event);
        },
        "reading the trail");
    return status.ok() && !readable ? Damaged("event " + std::to_string(event.seq)) : status;
  }

  // Switches a writable archive to write-ahead logging with full sync: a keep is on the disk
  // when it returns. The switch takes the whole file for a moment; another program doing the
  // same at once is waited for.
  //
  // Closing folds the log into the file (SQLite's checkpoint), so that while no program has it
  // open the archive is one whole file to copy. Leaving the log to the next writer instead
  // would save a command two syncs, but each new connection then forgets how much of the log
  // was folded in: the log grows without end and every open reads all of it.
  ArchiveStatus SetUpForWriting() {
    ArchiveStatus status;
    const auto start = std::chrono::steady_clock::now();
    do {
      status = Execute("PRAGMA journal_mode = WAL", "setting up");
      if (status.fault != ArchiveFault::Busy) break;
      sqlite3_sleep(10);
    } while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(kBusyTimeoutMs));
    if (!status.ok()) return status;
    return Execute("PRAGMA synchronous = FULL; PRAGMA foreign_keys = ON", "setting up");
  }

 private:
  ArchiveStatus Fail(int result, const char* doing) const {
    return SqliteFailure(db_, result, name_, doing, appending_);
  }

  ArchiveStatus Foreign(const std::string& what) const { return NotOurs(name_, what); }

  ArchiveStatus Damaged(const std::string& what) const {
    return Failure(ArchiveFault::Corrupt, "archive " + name_ + " is damaged: " + what +
                                              " holds what no archive of this program writes");
  }

  ArchiveStatus Execute(const char* sql, const char* doing) {
    const int result = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    return result == SQLITE_OK ? ArchiveStatus{} : Fail(result, doing);
  }

  // A cached statement, prepared on its first use.
  SqliteQuery Statement(Cached which) {
    int result = SQLITE_OK;
    if (cached_[which] == nullptr) {
      result = sqlite3_prepare_v3(db_, kCachedSql[which], -1, SQLITE_PREPARE_PERSISTENT,
                                  &cached_[which], nullptr);
    }
    return SqliteQuery(cached_[which], result);
  }

  // Prepares `sql`, lets `bind` bind it, and hands each row to `visit` until it returns false.
  // What `visit` throws (a full heap while copying a row) ends the scan as a failure.
  template <typename BindAction, typename Visit>
  ArchiveStatus Scan(const char* sql, BindAction bind, Visit visit, const char* doing) {
    sqlite3_stmt* statement = nullptr;
    int result = sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr);
    if (result != SQLITE_OK) return Fail(result, doing);
    ArchiveStatus status = WithoutExceptions([&] {
      SqliteQuery query(statement);
      bind(query);
      while ((result = query.Step()) == SQLITE_ROW &&
             visit(static_cast<const SqliteQuery&>(query))) {
      }
      return ArchiveStatus{};
    });
    sqlite3_finalize(statement);
    if (!status.ok()) return status;
    return result == SQLITE_ROW || result == SQLITE_DONE ? ArchiveStatus{} : Fail(result, doing);
  }

  ArchiveStatus SingleInt(const char* sql, int64_t& value) {
    return Scan(
        sql, [](SqliteQuery&) {},
        [&](const SqliteQuery& row) {
          value = row.Int(0);
          return false;
        },
        "opening");
  }

  ArchiveStatus ReadMeta(const char* key, std::string& value) {
    SqliteQuery query = Statement(kReadMeta);
    query.Bind(1, std::string_view(key));
    const int result = query.Step();
    if (result == SQLITE_ROW) {
      value = query.Text(0);
      return {};
    }
    if (result == SQLITE_DONE) {
      return Failure(ArchiveFault::Corrupt,
                     "archive " + name_ + " is damaged: no " + std::string(key));
    }
    return Fail(result, "reading");
  }

  ArchiveStatus WriteMeta(const char* key, const std::string& value) {
    SqliteQuery query = Statement(kWriteMeta);
    query.Bind(1, std::string_view(key));
    query.Bind(2, value);
    const int result = query.Step();
    return result == SQLITE_DONE ? ArchiveStatus{} : Fail(result, "keeping");
  }

  // Inside the upgrade's transaction: the version read again, then each step to the newest.
  ArchiveStatus UpgradeSteps() {
    int version = 0;
    ArchiveStatus status = ReadSchemaVersion(version);
    if (!status.ok()) return status;
    if (version > kArchiveSchemaVersion) return NewerSchemaFailure(name_, version);
    for (; version < kArchiveSchemaVersion; ++version) {
      status = Execute(SqliteSchemaStep(version), "setting up the archive");
      if (!status.ok()) return status;
    }
    status = Execute(("PRAGMA application_id = " + std::to_string(kSqliteApplicationId)).c_str(),
                     "setting up the archive");
    return status.ok() ? WriteMeta("schema_version", std::to_string(kArchiveSchemaVersion))
                       : status;
  }

  sqlite3* db_;
  std::string name_;
  bool appending_ = false;
  std::array<sqlite3_stmt*, kCachedCount> cached_{};
};

}  // namespace

ArchiveStatus OpenSqliteStore(const std::string& path, OpenMode mode,
                              std::unique_ptr<ArchiveStore>& store) {
  std::error_code error;
  const std::filesystem::path file(reinterpret_cast<const char8_t*>(path.c_str()));
  if (mode == OpenMode::ReadOnly && !std::filesystem::exists(file, error)) {
    return Failure(ArchiveFault::Absent, "there is no archive at " + path + " yet");
  }
  if (std::filesystem::is_directory(file, error)) {
    return Failure(ArchiveFault::CannotOpen, "archive " + path + " is a folder");
  }
  const int flags = (mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY
                                                : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) |
                    SQLITE_OPEN_NOMUTEX;
  sqlite3* db = nullptr;
  const int result = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
  if (result != SQLITE_OK) {
    const std::string reason = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(result);
    sqlite3_close_v2(db);
    return Failure(ArchiveFault::CannotOpen, "archive " + path + " cannot be opened: " + reason);
  }
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  auto sqlite = std::make_unique<SqliteStore>(db, path);
  // Whose the file is, before anything is written to it.
  int version = 0;
  ArchiveStatus status = sqlite->ReadSchemaVersion(version);
  if (status.ok() && mode == OpenMode::ReadWrite) status = sqlite->SetUpForWriting();
  if (status.ok()) store = std::move(sqlite);
  return status;
}

}  // namespace zv::archive
