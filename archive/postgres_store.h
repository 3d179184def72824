// The archive on a PostgreSQL server (Debian's libpq): one connection a store, each append one
// transaction that first takes the archive's advisory lock, so that writers on many machines
// append to one chain in turn; the server ends the lock with the transaction, whatever happens
// to the writer. A database that holds other tables is another program's: refused by name and
// never written.
//
// The URL is libpq's (postgresql://user@host/db?…); the password comes the ways libpq takes it
// (.pgpass, PGPASSWORD, a service file, the URL) and never reaches a message: the store is named
// by its URL without the password. The Windows build has no libpq: there this answers a server
// archive with Unavailable.
#pragma once

#include <memory>
#include <string>

#include "archive/archive_store.h"

namespace zv::archive {

// Connects to the server `url` names; the schema is left to PrepareSchema. ReadOnly: the
// session's transactions are read-only, so nothing can be written through it.
ArchiveStatus OpenPostgresStore(const std::string& url, OpenMode mode,
                                std::unique_ptr<ArchiveStore>& store);

}  // namespace zv::archive
