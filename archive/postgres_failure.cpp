#include "archive/postgres_failure.h"

#include <cstring>
#include <string_view>

#include "archive/server_url.h"

namespace zv::archive {

namespace {

bool ClassIs(const char* state, const char* prefix) {
  return state != nullptr && std::strncmp(state, prefix, std::strlen(prefix)) == 0;
}

// The fault a server's SQLSTATE is, by its class (the first two characters) or, for the few
// that matter alone, by the whole code.
ArchiveFault FaultOf(const char* state, bool connectionLost, PgStep step) {
  const bool keeping = step == PgStep::Appending || step == PgStep::Committing;
  const ArchiveFault unreachable = keeping ? ArchiveFault::NotWritten : ArchiveFault::CannotOpen;
  if (connectionLost || ClassIs(state, "08") || ClassIs(state, "57P")) return unreachable;
  if (ClassIs(state, "28") || ClassIs(state, "3D") || ClassIs(state, "53300")) {
    return ArchiveFault::CannotOpen;  // no such role or database, a wrong password, no slot
  }
  if (ClassIs(state, "42501")) return unreachable;  // a right the role lacks
  if (ClassIs(state, "25006") || ClassIs(state, "53") || ClassIs(state, "58")) {
    return keeping ? ArchiveFault::NotWritten : ArchiveFault::Failed;  // read-only, full, I/O
  }
  if (ClassIs(state, "55P03") || ClassIs(state, "40")) return ArchiveFault::Busy;
  if (ClassIs(state, "XX001") || ClassIs(state, "XX002")) return ArchiveFault::Corrupt;
  return ArchiveFault::Failed;
}

}  // namespace

std::string OneLine(const char* text, const std::vector<std::string>& secrets) {
  std::string line;
  for (const char* c = text == nullptr ? "" : text; *c != '\0'; ++c) {
    const bool blank = *c == '\n' || *c == '\r' || *c == '\t' || *c == ' ';
    if (blank && (line.empty() || line.back() == ' ')) continue;
    line.push_back(blank ? ' ' : *c);
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return Scrubbed(std::move(line), secrets);
}

ArchiveStatus PostgresFailure(PGconn* connection, const PGresult* result, const PgContext& context,
                              PgStep step, const char* doing) {
  const char* state = result != nullptr ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
  const char* primary =
      result != nullptr ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
  // A failure without a SQLSTATE is libpq's own: the server never answered. libpq marks the
  // connection bad only once a read meets its end; a write to a server that has just died
  // fails first, and the connection still reads as fine.
  const bool lost =
      connection == nullptr || PQstatus(connection) == CONNECTION_BAD || state == nullptr;
  // The server's own words when it gave them; libpq's (a lost connection, a refused login)
  // otherwise.
  std::string reason =
      OneLine(primary != nullptr ? primary : PQerrorMessage(connection), context.secrets);
  if (reason.empty()) reason = "no reason given";
  const ArchiveFault fault = FaultOf(state, lost, step);
  std::string message = "archive " + context.name + ": " + doing + ": " + reason;
  if (step == PgStep::Committing && lost) {
    message +=
        "; the connection was lost as the keep was committed: it is kept whole or not at "
        "all, and the archive's log tells which";
  } else if (step == PgStep::Appending || step == PgStep::Committing) {
    message += "; nothing was kept";
  }
  return Failure(fault, std::move(message));
}

}  // namespace zv::archive
