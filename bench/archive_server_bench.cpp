// The archive on a PostgreSQL server beside the same on SQLite: eight writers, each with its own
// connection, keep 100 full two-channel downloads at once; the time per keep on the server
// against the same on a file, as a ratio, and both archives verified after (every recording
// there once, the chain whole). Then a listing of 100,000 recordings on the server against
// 200 ms. The server is a throw-away one (tests/archive/test_server.sh, with its syncs on, as
// SQLite's are). A benchmark: it prints figures and asserts nothing.
//
// usage: archive_server_bench [KEEPS_PER_WRITER] [LISTED]   (100 and 100,000 unless given)
#include <libpq-fe.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "archive/keep.h"
#include "archive/open_archive.h"
#include "archive/verify.h"
#include "bench/bench_support.h"

namespace {

using namespace zv::archive;

constexpr int kWriters = 8;
constexpr double kListBudgetMs = 200;

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::unique_ptr<ArchiveStore> Open(const std::string& location, OpenMode mode) {
  ArchiveLocation where;
  std::unique_ptr<ArchiveStore> store;
  ArchiveStatus status = ResolveArchiveLocation(location.c_str(), where);
  if (status.ok()) status = OpenArchive(where, mode, store);
  if (!status.ok()) std::fprintf(stderr, "archive_server_bench: %s\n", status.message.c_str());
  return store;
}

// A full two-channel download whose first readings are the number `n`, so each is new.
struct Download {
  zv::INFO_TAB table;
  std::unique_ptr<zv::SampleBuffer> memory = std::make_unique<zv::SampleBuffer>();

  Download() {
    zv::bench::FillTwoCurves(*memory);
    table.SetIntervalIndex(7);
    table.SetMemoryEnd(zv::kSampleMemoryBytes - 2);
    table.SetWritePointer(0);
    table.SetStatusCode(4);
    table.SetFlags(zv::kFlagTwoChannels);
    zv::SealInfoTab(table);
  }

  bool Keep(ArchiveStore& store, uint32_t n, const Attribution& by) {
    for (int k = 0; k < 3; ++k) {
      memory->bytes[2 * k] = static_cast<uint8_t>(n >> (8 * k));
      memory->bytes[2 * k + 1] = 0;
    }
    KeptRecording kept;
    const ArchiveStatus status = KeepDownload(
        store, table, std::span(memory->bytes, zv::kSampleMemoryBytes), "/dev/ttyUSB0", by, kept);
    if (!status.ok()) std::fprintf(stderr, "archive_server_bench: %s\n", status.message.c_str());
    return status.ok();
  }
};

struct RaceResult {
  double seconds = 0;  // the whole race, first keep to last
  double keepMs = 0;   // the mean time of one keep, as each writer waits for it
  bool clean = false;  // verified: every recording once, the chain whole
};

// Eight writers at once on `location` (set up before), each keeping `each` new downloads.
RaceResult Race(const std::string& location, int each) {
  RaceResult result;
  std::vector<std::unique_ptr<ArchiveStore>> stores;
  for (int w = 0; w < kWriters; ++w) {
    stores.push_back(Open(location, OpenMode::ReadWrite));
    if (!stores.back()) return result;
  }
  std::atomic<int> failures{0};
  std::atomic<int64_t> keepNs{0};
  const Attribution by = AttributionNow();
  const auto start = std::chrono::steady_clock::now();
  std::vector<std::thread> writers;
  for (int w = 0; w < kWriters; ++w) {
    writers.emplace_back([&, w] {
      Download download;
      for (int k = 0; k < each; ++k) {
        const auto begun = std::chrono::steady_clock::now();
        if (!download.Keep(*stores[w], static_cast<uint32_t>(w * 100000 + k), by)) ++failures;
        keepNs += std::chrono::duration_cast<std::chrono::nanoseconds>(
                      std::chrono::steady_clock::now() - begun)
                      .count();
      }
    });
  }
  for (std::thread& writer : writers) writer.join();
  result.seconds = Since(start);
  result.keepMs = static_cast<double>(keepNs) / 1e6 / (kWriters * each);
  stores.clear();
  auto store = Open(location, OpenMode::ReadOnly);
  VerifyReport report;
  const auto total = static_cast<uint64_t>(kWriters * each);
  result.clean = failures == 0 && store && Verify(*store, report).ok() && report.Clean() &&
                 report.recordings == total && report.events == total;
  return result;
}

bool RunSql(const std::string& url, const char* sql) {
  PGconn* connection = PQconnectdb(url.c_str());
  PGresult* result = PQexec(connection, sql);
  const bool done = PQresultStatus(result) == PGRES_COMMAND_OK;
  if (!done) std::fprintf(stderr, "archive_server_bench: %s", PQerrorMessage(connection));
  PQclear(result);
  PQfinish(connection);
  return done;
}

bool Server(const char* action, const std::string& folder) {
  const std::string command = std::string(TEST_SERVER_SCRIPT) + " " + action + " " + folder;
  return std::system(command.c_str()) == 0;
}

// `count` recordings of forty loggers, each with the download that kept it, written straight
// into the tables (keeping 100,000 full downloads one by one would take the better part of an
// hour): their bytes are short, their small columns those of real ones, which is all a listing
// reads.
constexpr const char* kFillSql =
    "INSERT INTO recordings (sha256, origin, logger_id, channel_mode, byte_count, readings, "
    "interval_s, status_code, readings_sha256, info_tab, memory) "
    "SELECT sha256(int8send(g)), 'downloaded', 'KVAR2-' || (g %% 40), 1, 32768, 16384, 300, 4, "
    "sha256(int8send(-g)), '\\x00', '\\x00' FROM generate_series(1, %ld) g; "
    "INSERT INTO events (seq, kind, at_utc, recording_id, source, body, content_hash, "
    "chain_hash) SELECT id, 'download', 1800000000 + id, id, '/dev/ttyUSB0', '{}', "
    "sha256(int8send(id)), sha256(int8send(-id)) FROM recordings; ANALYZE";

}  // namespace

int main(int argc, char** argv) {
  const int each = argc > 1 ? std::atoi(argv[1]) : 100;
  const long listed = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 100000;
  if (each < 1 || listed < 1) {
    std::fprintf(stderr, "usage: %s [KEEPS_PER_WRITER] [LISTED]\n", argv[0]);
    return 2;
  }
  char made[] = "/tmp/zv-pg-bench-XXXXXX";
  if (mkdtemp(made) == nullptr) return 1;
  const std::string folder = made;
  setenv("ZV_TEST_PG_FSYNC", "on", 1);
  if (!Server("start", folder)) return 1;
  const std::string admin = "postgresql:///postgres?host=" + folder + "&user=zv_admin";
  const std::string race = "postgresql:///zv_race?host=" + folder + "&user=zv_admin";
  const std::string list = "postgresql:///zv_list?host=" + folder + "&user=zv_admin";
  char sqliteFolder[] = "/tmp/zv-archive-bench-XXXXXX";
  int status = 1;
  if (mkdtemp(sqliteFolder) != nullptr && RunSql(admin, "CREATE DATABASE zv_race") &&
      RunSql(admin, "CREATE DATABASE zv_list")) {
    const std::string file = std::string(sqliteFolder) + "/archive.sqlite";
    const bool ready = Open(race, OpenMode::ReadWrite) && Open(file, OpenMode::ReadWrite) &&
                       Open(list, OpenMode::ReadWrite);
    const RaceResult server = ready ? Race(race, each) : RaceResult{};
    const RaceResult sqlite = ready ? Race(file, each) : RaceResult{};
    std::printf("%d writers at once, %d full two-channel downloads each\n", kWriters, each);
    std::printf("  PostgreSQL  %7.2f ms a keep  %6.2f s in all  %s\n", server.keepMs,
                server.seconds, server.clean ? "verified clean" : "NOT CLEAN");
    std::printf("  SQLite      %7.2f ms a keep  %6.2f s in all  %s\n", sqlite.keepMs,
                sqlite.seconds, sqlite.clean ? "verified clean" : "NOT CLEAN");
    std::printf("  time per keep, server / file: ratio %.3f\n",
                sqlite.keepMs > 0 ? server.keepMs / sqlite.keepMs : 0);

    std::vector<char> fill(std::char_traits<char>::length(kFillSql) + 32);
    std::snprintf(fill.data(), fill.size(), kFillSql, listed);
    auto store = RunSql(list, fill.data()) ? Open(list, OpenMode::ReadOnly) : nullptr;
    // One listing to warm the server's caches, then the fastest and the middle of seven: the
    // machine may be shared, and the budget is for the listing, not for its neighbours.
    std::vector<RecordingListing> listing;
    std::vector<double> listMs;
    for (int run = 0; store && run < 8; ++run) {
      const auto start = std::chrono::steady_clock::now();
      if (!store->ListRecordings({}, listing).ok()) listing.clear();
      if (run > 0) listMs.push_back(1000 * Since(start));
    }
    std::sort(listMs.begin(), listMs.end());
    const double fastest = listMs.empty() ? 0 : listMs.front();
    const double middle = listMs.empty() ? 0 : listMs[listMs.size() / 2];
    std::printf(
        "list all %zu on the server  fastest %7.2f ms  median %7.2f ms   budget %4.0f ms   "
        "ratio %.3f\n",
        listing.size(), fastest, middle, kListBudgetMs, middle / kListBudgetMs);
    store.reset();
    status =
        server.clean && sqlite.clean && listing.size() == static_cast<std::size_t>(listed) ? 0 : 1;
    std::filesystem::remove_all(sqliteFolder);
  }
  Server("stop", folder);
  return status;
}
