#include "archive/sqlite_failure.h"

#include <sqlite3.h>

#include <cstring>

namespace zv::archive {

ArchiveStatus NotOurs(const std::string& name, const std::string& what) {
  return Failure(ArchiveFault::NotAnArchive,
                 name + " is " + what + ", not an archive of this program; it is left as it is");
}

ArchiveStatus SqliteFailure(sqlite3* db, int result, const std::string& name, const char* doing,
                            bool appending) {
  std::string reason = sqlite3_errmsg(db);
  if (const int error = sqlite3_system_errno(db); error != 0 && (result & 0xFF) != SQLITE_FULL) {
    reason += " (" + std::string(std::strerror(error)) + ")";
  }
  const std::string where = "archive " + name + ": " + doing + ": ";
  switch (result & 0xFF) {
    case SQLITE_NOTADB:
      return NotOurs(name, "not an SQLite database");
    case SQLITE_CORRUPT:
      return Failure(ArchiveFault::Corrupt, "archive " + name + " is damaged: " + reason);
    case SQLITE_FULL:
      return Failure(ArchiveFault::NotWritten, where + "the disk is full; nothing was kept");
    case SQLITE_READONLY:
      return Failure(ArchiveFault::NotWritten, where + "read-only; nothing was kept");
    case SQLITE_IOERR:
      return Failure(appending ? ArchiveFault::NotWritten : ArchiveFault::Failed,
                     where + reason + (appending ? "; nothing was kept" : ""));
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return Failure(ArchiveFault::CannotOpen, where + reason);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return Failure(ArchiveFault::Busy, where + "another program holds it: " + reason);
    default:
      return Failure(ArchiveFault::Failed, where + reason);
  }
}

}  // namespace zv::archive
