// The Windows build has no libpq (Debian ships none for mingw-w64): a server archive is one
// this build cannot open, said so plainly.
#include "archive/postgres_store.h"

namespace zv::archive {

ArchiveStatus OpenPostgresStore(const std::string&, OpenMode, std::unique_ptr<ArchiveStore>&) {
  return Failure(ArchiveFault::Unavailable,
                 "this build keeps no archive on a PostgreSQL server: use zorvant-cli on Linux "
                 "or macOS for a server archive, or an archive file here");
}

}  // namespace zv::archive
