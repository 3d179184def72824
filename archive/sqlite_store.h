// The archive in one SQLite file (Debian's libsqlite3, its C API): WAL with full sync, a busy
// time-out so that two programs keep at once, BEGIN IMMEDIATE for every append. A file that is
// not an SQLite database, or is another program's (its application id and tables say), is
// refused by name and never written.
#pragma once

#include <memory>
#include <string>

#include "archive/archive_store.h"

struct sqlite3;

namespace zv::archive {

// Opens (ReadWrite: creates) the file at `path`; the schema is left to PrepareSchema.
ArchiveStatus OpenSqliteStore(const std::string& path, OpenMode mode,
                              std::unique_ptr<ArchiveStore>& store);

// What marks a database as this program's archive: its application id, "ZV2A".
inline constexpr int kSqliteApplicationId = 0x5A563241;

}  // namespace zv::archive
