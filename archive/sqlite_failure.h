// What an SQLite result means to the one who runs the command: the fault it is (a full disk or
// a read-only file while keeping is "not written", a file that is no database is "not an
// archive") and a message naming the archive, the step and SQLite's reason.
#pragma once

#include <string>

#include "archive/archive_status.h"

struct sqlite3;

namespace zv::archive {

// `result` is SQLite's (extended) code from a step of `doing` ("keeping", "listing") on `db`;
// `appending` when it came inside an append, where any write failure has kept nothing.
ArchiveStatus SqliteFailure(sqlite3* db, int result, const std::string& name, const char* doing,
                            bool appending);

// The refusal of a file that is `what` ("not an SQLite database", "another program's").
ArchiveStatus NotOurs(const std::string& name, const std::string& what);

}  // namespace zv::archive
