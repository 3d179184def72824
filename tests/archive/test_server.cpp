#include "tests/archive/test_server.h"

#include <libpq-fe.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace zv::archive::test {

namespace {

std::string& StartedHere() {
  static std::string folder;
  return folder;
}

void StopStartedHere() {
  if (!StartedHere().empty()) RunTestServer("stop", StartedHere());
}

}  // namespace

bool RunTestServer(const char* action, const std::string& folder) {
  const std::string command =
      std::string(TEST_SERVER_SCRIPT) + " " + action + " '" + folder + "' >&2";
  return std::system(command.c_str()) == 0;
}

const std::string& TestServerFolder() {
  static const std::string folder = [] {
    if (const char* given = std::getenv("ZV_TEST_PG_FOLDER"); given != nullptr && *given) {
      return std::string(given);
    }
    char made[] = "/tmp/zv-pg-XXXXXX";
    if (mkdtemp(made) == nullptr) return std::string();
    StartedHere() = made;
    std::atexit(StopStartedHere);
    return RunTestServer("start", made) ? std::string(made) : std::string();
  }();
  return folder;
}

std::string FreshDatabaseUrl(const std::string& folder) {
  // No server: a URL that reaches none, so the case fails on it (never another server's socket).
  const std::string nowhere = "postgresql:///no_test_server?host=/nonexistent-zv-test-server";
  if (folder.empty()) return nowhere;
  static std::atomic<int> count{0};
  const std::string name = "zv_" + std::to_string(getpid()) + "_" + std::to_string(++count);
  if (!RunAsAdmin("postgresql:///postgres?host=" + folder + "&user=zv_admin",
                  "CREATE DATABASE " + name)) {
    return nowhere;
  }
  return "postgresql:///" + name + "?host=" + folder + "&user=zv_admin";
}

bool RunAsAdmin(const std::string& url, const std::string& sql) {
  PGconn* connection = PQconnectdb(url.c_str());
  bool done = PQstatus(connection) == CONNECTION_OK;
  // Apart, so that a CREATE DATABASE is not in the implicit transaction of several statements.
  for (const std::string& each : {std::string("SET session_replication_role = replica"), sql}) {
    if (!done) break;
    PGresult* result = PQexec(connection, each.c_str());
    done = PQresultStatus(result) == PGRES_COMMAND_OK || PQresultStatus(result) == PGRES_TUPLES_OK;
    PQclear(result);
  }
  if (!done) std::fprintf(stderr, "test server: %s", PQerrorMessage(connection));
  PQfinish(connection);
  return done;
}

}  // namespace zv::archive::test
