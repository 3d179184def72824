// What a PostgreSQL failure means to the one who runs the command: the fault it is (a server
// that cannot be reached or refuses the role is "cannot open"; a connection lost, a read-only
// server, a full disk or a missing right while keeping is "not written") and a message naming
// the archive (its URL without the password), the step, and the server's own reason, cleared of
// every password the connection knows.
#pragma once

#include <libpq-fe.h>

#include <string>
#include <vector>

#include "archive/archive_status.h"

namespace zv::archive {

// Where a failure came from, for its fault and its wording.
enum class PgStep : uint8_t {
  Connecting,
  Reading,    // outside an append
  Appending,  // inside one: whatever failed, nothing of it is kept
  Committing  // the commit itself: a lost connection leaves it kept whole or not at all
};

struct PgContext {
  const std::string& name;  // the URL without its password
  const std::vector<std::string>& secrets;
};

// `result` may be null (libpq had no result to give: the connection's message says why).
ArchiveStatus PostgresFailure(PGconn* connection, const PGresult* result, const PgContext& context,
                              PgStep step, const char* doing);

// libpq's or the server's text as one line: its line breaks and runs of blanks made one space,
// and no password in it.
std::string OneLine(const char* text, const std::vector<std::string>& secrets);

}  // namespace zv::archive
