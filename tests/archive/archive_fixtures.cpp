#include "tests/archive/archive_fixtures.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "archive/open_archive.h"
#include "tests/archive/test_server.h"

namespace zv::archive::test {

TestDownload MakeDownload(uint32_t seed, const char* loggerId, uint32_t bytes) {
  TestDownload download;
  INFO_TAB& tab = download.table;
  std::strncpy(reinterpret_cast<char*>(tab.LoggerId()), loggerId, kLoggerIdSize - 1);
  tab.SetIntervalIndex(7);  // 5 min
  tab.SetMemoryStart(0);
  tab.SetMemoryEnd(kSampleMemoryBytes - 2);
  tab.SetWritePointer(static_cast<uint16_t>(bytes));
  tab.SetStatusCode(3);  // measuring
  tab.SetFlags(kFlagTwoChannels);
  SealInfoTab(tab);
  download.memory.resize(bytes);
  for (uint32_t i = 0; i + 1 < bytes; i += 2) {
    // The seed itself in the first three readings, then a curve it shifts (0 to 100 °C).
    const auto word = static_cast<uint16_t>(i < 6 ? seed >> (i / 2 * 11) & 0x7FF
                                                  : (seed * 7919u + i * 13u) % 1600u);
    download.memory[i] = static_cast<uint8_t>(word);
    download.memory[i + 1] = static_cast<uint8_t>(word >> 8);
  }
  return download;
}

Attribution TestAttribution(int64_t utc) {
  return {utc, 3600, "Europe/Warsaw", "tester", "bench", "1.0.0"};
}

namespace {

std::string SqliteLocation(const std::string& folder) {
  return folder + "/archive.sqlite";
}

bool SqliteTamper(const std::string& location, const std::string& sql) {
  sqlite3* db = nullptr;
  bool done = sqlite3_open(location.c_str(), &db) == SQLITE_OK &&
              sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  if (!done) std::fprintf(stderr, "tamper: %s\n", sqlite3_errmsg(db));
  sqlite3_close(db);
  return done;
}

// A new database on the test server; the folder is the case's own and is not used.
std::string PostgresLocation(const std::string&) {
  return FreshDatabaseUrl(TestServerFolder());
}

}  // namespace

std::vector<StoreKind> StoreKinds() {
  return {{"Sqlite", SqliteLocation, SqliteTamper}, {"Postgres", PostgresLocation, RunAsAdmin}};
}

std::unique_ptr<ArchiveStore> OpenForTest(const std::string& location, OpenMode mode) {
  ArchiveLocation where;
  std::unique_ptr<ArchiveStore> store;
  ArchiveStatus status = ResolveArchiveLocation(location.c_str(), where);
  if (status.ok()) status = OpenArchive(where, mode, store);
  if (!status.ok()) std::fprintf(stderr, "open %s: %s\n", location.c_str(), status.message.c_str());
  return store;
}

}  // namespace zv::archive::test
