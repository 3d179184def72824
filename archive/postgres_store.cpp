#include "archive/postgres_store.h"

#include <libpq-fe.h>

#include <array>
#include <charconv>

#include "archive/postgres_failure.h"
#include "archive/postgres_query.h"
#include "archive/postgres_schema.h"
#include "archive/server_url.h"
#include "archive/store_rows.h"

namespace zv::archive {

namespace {

// The chain's lock, one number for every archive ("ZV2A" "chn\0"): advisory locks belong to
// one database, so archives in other databases never wait for each other.
constexpr const char* kTakeChainLock = "SELECT pg_advisory_xact_lock(6509445567832681984)";

// As long as the SQLite store waits for another writer; a keep takes milliseconds. A server
// that does not answer at all is given up on after the connect time-out. No JIT compiling: it
// costs a listing of 100,000 recordings more than the listing itself.
constexpr const char* kSessionSettings = "SET lock_timeout = '15s'; SET jit = off";
constexpr const char* kConnectTimeoutSeconds = "10";

// Tables of identity columns and ON CONFLICT need PostgreSQL 10.
constexpr int kOldestServer = 100000;

// The statements an append and a lookup use, prepared once per connection.
enum Prepared : std::size_t {
  kFindRecording,
  kFindEvent,
  kInsertRecording,
  kInsertEvent,
  kReadChainTip,
  kWriteMeta,
  kPreparedCount
};

struct PreparedSql {
  const char* name;
  const char* sql;
};

constexpr PreparedSql kPreparedSql[kPreparedCount] = {
    {"zv_find_recording", "SELECT id FROM recordings WHERE sha256 = $1"},
    {"zv_find_event", "SELECT seq FROM events WHERE content_hash = $1"},
    {"zv_insert_recording",
     ("INSERT INTO recordings (sha256, origin, logger_id, channel_mode, byte_count, readings, "
      "interval_s, status_code, readings_sha256, info_tab, memory, export_file) "
      "VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12) RETURNING id")},
    {"zv_insert_event",
     ("INSERT INTO events (seq, kind, at_utc, recording_id, source, body, content_hash, "
      "chain_hash) VALUES ($1, $2, $3, $4, $5, $6, $7, $8)")},
    {"zv_read_chain_tip", ("SELECT (SELECT value FROM meta WHERE key = 'chain_seq'), "
                           "(SELECT value FROM meta WHERE key = 'chain_hash')")},
    {"zv_write_meta", ("INSERT INTO meta (key, value) VALUES ($1, $2) "
                       "ON CONFLICT (key) DO UPDATE SET value = excluded.value")},
};

bool ParseInt(std::string_view text, int64_t& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// The state a statement failed with, to tell another program's tables from ours.
bool FailedWith(const PgResult& result, std::string_view state) {
  const char* code = PQresultErrorField(result.get(), PG_DIAG_SQLSTATE);
  return code != nullptr && state == code;
}

class PostgresStore final : public ArchiveStore {
 public:
  PostgresStore(PGconn* connection, ShownUrl url) : connection_(connection), url_(std::move(url)) {
    // The password libpq found (in the URL, PGPASSWORD, .pgpass or a service file) is kept
    // out of every message too.
    if (const char* password = PQpass(connection_); password != nullptr && password[0] != '\0') {
      url_.secrets.emplace_back(password);
    }
  }
  ~PostgresStore() override { PQfinish(connection_); }

  const std::string& Name() const override { return url_.shown; }

  // Whether the database is ours: a `meta` table that says so, or an empty schema. Both are
  // read from pg_class in the statement's one snapshot: to_regclass looks names up in the
  // catalog's latest state, so while another program's set-up committed, it could miss the
  // meta table beside tables already counted, and call our own archive foreign.
  ArchiveStatus ReadSchemaVersion(int& version) override {
    PgResult found;
    ArchiveStatus status = Exec(
        "SELECT EXISTS (SELECT 1 FROM pg_catalog.pg_class c "
        "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
        "WHERE n.nspname = current_schema() AND c.relname = 'meta'), "
        "(SELECT count(*) FROM pg_catalog.pg_class c "
        "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
        "WHERE n.nspname = current_schema()), coalesce(current_schema(), '')",
        {}, found, "opening");
    if (!status.ok()) return status;
    const PostgresRow row(found.get(), 0);
    if (row.Int(0) == 0) {
      if (row.Int(1) == 0) {
        version = 0;
        return {};
      }
      return Foreign("a database whose schema " + std::string(row.Text(2)) +
                     " holds another program's tables");
    }
    PgResult meta(PQexecParams(connection_,
                               "SELECT (SELECT value FROM meta WHERE key = 'application'), "
                               "(SELECT value FROM meta WHERE key = 'schema_version')",
                               0, nullptr, nullptr, nullptr, nullptr, 1));
    if (FailedWith(meta, "42703") || FailedWith(meta, "42883")) {
      return Foreign("a database with another program's table meta");
    }
    status = Check(meta, "opening");
    if (!status.ok()) return status;
    const PostgresRow values(meta.get(), 0);
    if (values.IsNull(0) || values.Text(0) != "zorvant2 archive") {
      return Foreign("a database with another program's table meta");
    }
    int64_t number = 0;
    if (values.IsNull(1) || !ParseInt(values.Text(1), number) || number < 1 || number > 1'000'000) {
      return Failure(ArchiveFault::Corrupt, "archive " + Name() + " is damaged: no schema version");
    }
    version = static_cast<int>(number);
    return {};
  }

  ArchiveStatus UpgradeSchema() override {
    ArchiveStatus status = BeginAppend();
    if (!status.ok()) return status;
    status = UpgradeSteps();
    if (status.ok()) status = CommitAppend();
    if (!status.ok()) AbandonAppend();
    return status;
  }

  // The transaction, then the chain's lock: held until the commit or the rollback, and by the
  // server, so a writer that dies or loses its connection frees it at once.
  ArchiveStatus BeginAppend() override {
    step_ = PgStep::Appending;
    ArchiveStatus status = Command("BEGIN", "starting to keep");
    if (status.ok()) status = Command(kTakeChainLock, "waiting for the other writers");
    if (!status.ok()) AbandonAppend();
    return status;
  }

  // A transaction that failed part-way would answer COMMIT with a rollback; it is refused here
  // instead of being reported as kept.
  ArchiveStatus CommitAppend() override {
    const PGTransactionStatusType state = PQtransactionStatus(connection_);
    if (state == PQTRANS_INERROR) {
      return Failure(ArchiveFault::NotWritten,
                     "archive " + Name() + ": keeping: the transaction failed; nothing was kept");
    }
    if (state != PQTRANS_INTRANS) return Fail(nullptr, "keeping");
    step_ = PgStep::Committing;
    ArchiveStatus status = Command("COMMIT", "keeping");
    if (status.ok()) step_ = PgStep::Reading;
    return status;
  }

  void AbandonAppend() override {
    const PGTransactionStatusType state = PQtransactionStatus(connection_);
    if (state == PQTRANS_INTRANS || state == PQTRANS_INERROR) {
      PgResult ignored(PQexec(connection_, "ROLLBACK"));
    }
    step_ = PgStep::Reading;
  }

  ArchiveStatus InsertRecording(const Recording& recording, int64_t& id) override {
    const RecordingFacts& facts = recording.facts;
    PgParams params;
    params.Add(std::span<const uint8_t>(recording.sha256));
    params.Add(std::string_view(OriginName(recording.origin)));
    params.Add(std::string_view(facts.loggerId));
    params.Add(int64_t{facts.channelMode});
    params.Add(int64_t{facts.byteCount});
    params.Add(int64_t{facts.readings});
    params.Add(facts.intervalSeconds);
    params.Add(facts.statusCode);
    params.Add(std::span<const uint8_t>(facts.readingsSha256));
    params.Add(std::span<const uint8_t>(recording.infoTab));
    params.Add(std::span<const uint8_t>(recording.memory));
    params.Add(std::span<const uint8_t>(recording.exportFile));
    PgResult result;
    ArchiveStatus status = Run(kInsertRecording, params, result, "keeping a recording");
    if (status.ok()) id = PostgresRow(result.get(), 0).Int(0);
    return status;
  }

  ArchiveStatus InsertEvent(const Event& event) override {
    PgParams params;
    params.Add(event.seq);
    params.Add(std::string_view(KindName(event.columns.kind)));
    params.Add(event.columns.atUtc);
    if (event.recordingId != 0) {
      params.Add(event.recordingId);
    } else {
      params.AddNullInt();
    }
    params.Add(std::string_view(event.columns.source));
    params.Add(std::string_view(event.body));
    params.Add(std::span<const uint8_t>(event.contentHash));
    params.Add(std::span<const uint8_t>(event.chainHash));
    PgResult result;
    return Run(kInsertEvent, params, result, "keeping an event");
  }

  ArchiveStatus WriteChainTip(const ChainTip& tip) override {
    ArchiveStatus status = WriteMeta("chain_seq", std::to_string(tip.seq));
    return status.ok() ? WriteMeta("chain_hash", HexOf(tip.hash)) : status;
  }

  // One snapshot for every query until EndRead.
  ArchiveStatus BeginRead() override {
    return Command("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY", "reading");
  }
  void EndRead() override {
    if (PQtransactionStatus(connection_) != PQTRANS_IDLE) {
      PgResult ignored(PQexec(connection_, "COMMIT"));
    }
  }

  ArchiveStatus ReadChainTip(ChainTip& tip) override {
    PgResult result;
    ArchiveStatus status = Run(kReadChainTip, {}, result, "reading the chain");
    if (!status.ok()) return status;
    const PostgresRow row(result.get(), 0);
    if (row.IsNull(0) || row.IsNull(1) || !ParseInt(row.Text(0), tip.seq) ||
        !DigestFromHex(row.Text(1), tip.hash)) {
      return Failure(ArchiveFault::Corrupt, "archive " + Name() + " is damaged: no chain tip");
    }
    return {};
  }

  ArchiveStatus FindRecording(const Sha256Digest& sha256, int64_t& id) override {
    return FindOne(kFindRecording, sha256, id, "finding a recording");
  }

  ArchiveStatus FindEvent(const Sha256Digest& contentHash, int64_t& seq) override {
    return FindOne(kFindEvent, contentHash, seq, "finding an event");
  }

  ArchiveStatus FindByReadings(const Sha256Digest& readingsSha256,
                               std::vector<int64_t>& ids) override {
    ids.clear();
    PgParams params;
    params.Add(std::span<const uint8_t>(readingsSha256));
    return Stream(
        "SELECT id FROM recordings WHERE readings_sha256 = $1 ORDER BY id", params,
        [&](const PostgresRow& row) {
          ids.push_back(row.Int(0));
          return true;
        },
        "finding a recording");
  }

  // Each recording with the event that kept it first: the oldest event naming it, its keep.
  ArchiveStatus ListRecordings(const RecordingFilter& filter,
                               std::vector<RecordingListing>& out) override {
    out.clear();
    PgParams params;
    // Each recording's first event from one ordered pass over events_by_recording, merged
    // with the recordings in id order: a probe of the index per recording takes three times as
    // long at 100,000 of them.
    std::string sql = std::string("SELECT ") + kListingColumns +
                      " FROM recordings r JOIN (SELECT DISTINCT ON (recording_id) recording_id, "
                      "at_utc, seq, source FROM events WHERE recording_id IS NOT NULL "
                      "ORDER BY recording_id, seq) e ON e.recording_id = r.id WHERE true";
    if (filter.loggerId) {
      params.Add(std::string_view(*filter.loggerId));
      sql += " AND r.logger_id = $" + std::to_string(params.count());
    }
    if (filter.keptSinceUtc) {
      params.Add(*filter.keptSinceUtc);
      sql += " AND e.at_utc >= $" + std::to_string(params.count());
    }
    sql += " ORDER BY r.id";
    // Row by row: 100,000 rows held at once as one result cost more in fresh memory than
    // reading them does.
    RecordingListing line;
    bool readable = true;
    ArchiveStatus status = Stream(
        sql.c_str(), params,
        [&](const PostgresRow& row) {
          readable = ReadListingRow(row, line);
          if (readable) out.push_back(line);
          return readable;
        },
        "listing");
    return status.ok() && !readable ? Damaged("recording " + std::to_string(line.id)) : status;
  }

  ArchiveStatus LoadRecording(int64_t id, Recording& out) override {
    PgParams params;
    params.Add(id);
    PgResult result;
    const std::string sql =
        std::string("SELECT ") + kRecordingColumns + " FROM recordings WHERE id = $1";
    ArchiveStatus status = Exec(sql.c_str(), params, result, "reading a recording");
    if (!status.ok()) return status;
    if (result.rows() == 0) {
      return Failure(ArchiveFault::NotFound,
                     "archive " + Name() + ": no recording " + std::to_string(id));
    }
    return WithoutExceptions([&] {
      return ReadRecordingRow(PostgresRow(result.get(), 0), out)
                 ? ArchiveStatus{}
                 : Damaged("recording " + std::to_string(id));
    });
  }

  ArchiveStatus ScanRecordings(const std::function<bool(const Recording&)>& visit) override {
    const std::string sql =
        std::string("SELECT ") + kRecordingColumns + " FROM recordings ORDER BY id";
    Recording recording;  // its buffers reused from row to row
    bool readable = true;
    ArchiveStatus status = Stream(
        sql.c_str(), {},
        [&](const PostgresRow& row) {
          readable = ReadRecordingRow(row, recording);
          return readable && visit(recording);
        },
        "reading the recordings");
    return status.ok() && !readable ? Damaged("recording " + std::to_string(recording.id)) : status;
  }

  ArchiveStatus ScanEvents(const EventFilter& filter,
                           const std::function<bool(const Event&)>& visit) override {
    PgParams params;
    params.Add(filter.afterSeq);
    std::string sql = std::string("SELECT ") + kEventColumns + " FROM events WHERE seq > $1";
    if (filter.recordingId) {
      params.Add(*filter.recordingId);
      sql += " AND recording_id = $" + std::to_string(params.count());
    }
    if (filter.sinceUtc) {
      params.Add(*filter.sinceUtc);
      sql += " AND at_utc >= $" + std::to_string(params.count());
    }
    if (filter.kind) {
      params.Add(std::string_view(KindName(*filter.kind)));
      sql += " AND kind = $" + std::to_string(params.count());
    }
    sql += " ORDER BY seq";
    if (filter.limit != 0) sql += " LIMIT " + std::to_string(filter.limit);
    Event event;
    bool readable = true;
    ArchiveStatus status = Stream(
        sql.c_str(), params,
        [&](const PostgresRow& row) {
          readable = ReadEventRow(row, event);
          return readable && visit(event);
        },
        "reading the trail");
    return status.ok() && !readable ? Damaged("event " + std::to_string(event.seq)) : status;
  }

  // After the connection is made: the server is new enough, a writer waits for another only so
  // long, and a read-only store's transactions cannot write.
  ArchiveStatus SetUpSession(OpenMode mode) {
    if (PQserverVersion(connection_) < kOldestServer) {
      return Failure(ArchiveFault::CannotOpen,
                     "archive " + Name() + ": the server runs PostgreSQL " +
                         std::to_string(PQserverVersion(connection_) / 10000) +
                         "; the archive needs PostgreSQL 10 or newer");
    }
    ArchiveStatus status = Command(kSessionSettings, "opening");
    if (status.ok() && mode == OpenMode::ReadOnly) {
      status = Command("SET default_transaction_read_only = on", "opening");
    }
    return status;
  }

  ArchiveStatus ConnectFailure() const {
    return Failure(ArchiveFault::CannotOpen,
                   "archive " + Name() +
                       " cannot be opened: " + OneLine(PQerrorMessage(connection_), url_.secrets));
  }

 private:
  ArchiveStatus Fail(const PGresult* result, const char* doing) const {
    return PostgresFailure(connection_, result, {url_.shown, url_.secrets}, step_, doing);
  }

  ArchiveStatus Foreign(const std::string& what) const {
    return Failure(ArchiveFault::NotAnArchive, Name() + " is " + what +
                                                   ", not an archive of this program; it is left "
                                                   "as it is");
  }

  ArchiveStatus Damaged(const std::string& what) const {
    return Failure(ArchiveFault::Corrupt, "archive " + Name() + " is damaged: " + what +
                                              " holds what no archive of this program writes");
  }

  ArchiveStatus TooLarge(const char* doing) const {
    return Failure(ArchiveFault::BadInput,
                   "archive " + Name() + ": " + doing + ": a value too large for the server");
  }

  ArchiveStatus Check(const PgResult& result, const char* doing) const {
    const ExecStatusType status = result.status();
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK ? ArchiveStatus{}
                                                                   : Fail(result.get(), doing);
  }

  // A statement without parameters (or several, separated by semicolons).
  ArchiveStatus Command(const char* sql, const char* doing) {
    const PgResult result(PQexec(connection_, sql));
    return Check(result, doing);
  }

  ArchiveStatus Exec(const char* sql, const PgParams& params, PgResult& result, const char* doing) {
    if (!params.usable()) return TooLarge(doing);
    result = PgResult(PQexecParams(connection_, sql, params.count(), params.types(),
                                   params.values(), params.lengths(), params.formats(), 1));
    return Check(result, doing);
  }

  // A prepared statement, prepared on its first use with the types of its first parameters.
  ArchiveStatus Run(Prepared which, const PgParams& params, PgResult& result, const char* doing) {
    if (!params.usable()) return TooLarge(doing);
    const PreparedSql& statement = kPreparedSql[which];
    if (!prepared_[which]) {
      result = PgResult(
          PQprepare(connection_, statement.name, statement.sql, params.count(), params.types()));
      ArchiveStatus status = Check(result, doing);
      if (!status.ok()) return status;
      prepared_[which] = true;
    }
    result = PgResult(PQexecPrepared(connection_, statement.name, params.count(), params.values(),
                                     params.lengths(), params.formats(), 1));
    return Check(result, doing);
  }

  ArchiveStatus FindOne(Prepared which, const Sha256Digest& key, int64_t& found,
                        const char* doing) {
    PgParams params;
    params.Add(std::span<const uint8_t>(key));
    PgResult result;
    ArchiveStatus status = Run(which, params, result, doing);
    found = status.ok() && result.rows() > 0 ? PostgresRow(result.get(), 0).Int(0) : 0;
    return status;
  }

  ArchiveStatus WriteMeta(const char* key, const std::string& value) {
    PgParams params;
    params.Add(std::string_view(key));
    params.Add(std::string_view(value));
    PgResult result;
    return Run(kWriteMeta, params, result, "keeping");
  }

  // Hands each row to `visit` as it arrives (one at a time, so verifying 10,000 recordings never
  // holds them all) until it returns false; the rest is read and dropped, so the connection is
  // ready for the next statement. What `visit` throws ends the scan as a failure.
  template <typename Visit>
  ArchiveStatus Stream(const char* sql, const PgParams& params, Visit visit, const char* doing) {
    if (!params.usable()) return TooLarge(doing);
    if (PQsendQueryParams(connection_, sql, params.count(), params.types(), params.values(),
                          params.lengths(), params.formats(), 1) == 0) {
      return Fail(nullptr, doing);
    }
    PQsetSingleRowMode(connection_);
    ArchiveStatus status;
    bool wanted = true;
    for (PgResult result(PQgetResult(connection_)); result.get() != nullptr;
         result = PgResult(PQgetResult(connection_))) {
      const ExecStatusType state = result.status();
      if (state == PGRES_SINGLE_TUPLE) {
        if (!wanted || !status.ok()) continue;
        status = WithoutExceptions([&] {
          wanted = visit(PostgresRow(result.get(), 0));
          return ArchiveStatus{};
        });
      } else if (state != PGRES_TUPLES_OK && status.ok()) {
        status = Fail(result.get(), doing);
      }
    }
    return status;
  }

  // Inside the upgrade's transaction: the version read again (another program may have set the
  // archive up meanwhile), the right to make tables, then each step to the newest.
  ArchiveStatus UpgradeSteps() {
    int version = 0;
    ArchiveStatus status = ReadSchemaVersion(version);
    if (!status.ok()) return status;
    if (version > kArchiveSchemaVersion) return NewerSchemaFailure(Name(), version);
    if (version == kArchiveSchemaVersion) return {};
    status = CheckMayCreateTables();
    for (; status.ok() && version < kArchiveSchemaVersion; ++version) {
      status = Command(PostgresSchemaStep(version), "setting up the archive");
    }
    return status.ok() ? WriteMeta("schema_version", std::to_string(kArchiveSchemaVersion))
                       : status;
  }

  // Setting up needs a role that may make tables in the schema; without it, say what is
  // missing and how a site gives it.
  ArchiveStatus CheckMayCreateTables() {
    PgResult result;
    ArchiveStatus status = Exec(
        "SELECT coalesce(current_schema(), ''), current_user, current_database(), "
        "coalesce(has_schema_privilege(current_schema(), 'CREATE'), false)",
        {}, result, "setting up the archive");
    if (!status.ok()) return status;
    const PostgresRow row(result.get(), 0);
    const std::string schema(row.Text(0));
    const std::string role(row.Text(1));
    const std::string database(row.Text(2));
    if (schema.empty()) {
      return Failure(ArchiveFault::CannotOpen,
                     "archive " + Name() + " cannot be set up: the search path of role " + role +
                         " names no schema of database " + database + " that exists");
    }
    if (row.Int(3) != 0) return {};
    return Failure(ArchiveFault::CannotOpen,
                   "archive " + Name() + " is not set up yet, and role " + role +
                       " may not create tables in schema " + schema + " of database " + database +
                       ": set it up once as a role that may (the database's owner), or grant "
                       "the right: GRANT CREATE ON SCHEMA " +
                       schema + " TO " + role);
  }

  PGconn* connection_;
  ShownUrl url_;
  PgStep step_ = PgStep::Reading;
  std::array<bool, kPreparedCount> prepared_{};
};

}  // namespace

ArchiveStatus OpenPostgresStore(const std::string& url, OpenMode mode,
                                std::unique_ptr<ArchiveStore>& store) {
  // The URL expands into libpq's parameters: what it gives overrides the defaults before it,
  // and the encoding after it is ours (every text of the archive is UTF-8).
  const char* keywords[] = {"connect_timeout", "application_name", "dbname", "client_encoding",
                            nullptr};
  const char* values[] = {kConnectTimeoutSeconds, "zorvant2", url.c_str(), "UTF8", nullptr};
  PGconn* connection = PQconnectdbParams(keywords, values, 1);
  if (connection == nullptr) {
    return Failure(ArchiveFault::CannotOpen,
                   "archive " + WithoutPassword(url).shown + " cannot be opened: out of memory");
  }
  auto postgres = std::make_unique<PostgresStore>(connection, WithoutPassword(url));
  if (PQstatus(connection) != CONNECTION_OK) return postgres->ConnectFailure();
  // Whose the database is, before anything is written to it.
  ArchiveStatus status = postgres->SetUpSession(mode);
  int version = 0;
  if (status.ok()) status = postgres->ReadSchemaVersion(version);
  if (status.ok()) store = std::move(postgres);
  return status;
}

}  // namespace zv::archive
