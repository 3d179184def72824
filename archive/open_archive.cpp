#include "archive/open_archive.h"

#include <filesystem>

#include "archive/postgres_store.h"
#include "archive/sqlite_store.h"

namespace zv::archive {

namespace {

// The default place's folders may not exist yet on a new machine; a path the user gave must.
ArchiveStatus MakeDefaultFolder(const ArchiveLocation& location) {
  if (location.from != LocationFrom::Default) return {};
  const std::filesystem::path file(reinterpret_cast<const char8_t*>(location.where.c_str()));
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  if (!error) return {};
  return Failure(ArchiveFault::CannotOpen,
                 "archive " + location.where + ": its folder cannot be made: " + error.message());
}

}  // namespace

ArchiveStatus PrepareSchema(ArchiveStore& store, OpenMode mode) {
  int version = 0;
  ArchiveStatus status = store.ReadSchemaVersion(version);
  if (!status.ok()) return status;
  if (version > kArchiveSchemaVersion) return NewerSchemaFailure(store.Name(), version);
  if (version == kArchiveSchemaVersion) return {};
  if (mode == OpenMode::ReadOnly) {
    if (version == 0) {
      return Failure(ArchiveFault::Absent, "there is no archive at " + store.Name() + " yet");
    }
    return Failure(ArchiveFault::NotWritten,
                   "archive " + store.Name() + " has schema version " + std::to_string(version) +
                       " and must be migrated first: run a command that keeps, on a writable "
                       "archive");
  }
  return store.UpgradeSchema();
}

ArchiveStatus OpenArchive(const ArchiveLocation& location, OpenMode mode,
                          std::unique_ptr<ArchiveStore>& store) {
  return WithoutExceptions([&] {
    store.reset();
    std::unique_ptr<ArchiveStore> opened;
    ArchiveStatus status;
    if (location.kind == ArchiveKind::PostgreSql) {
      status = OpenPostgresStore(location.where, mode, opened);
    } else {
      if (mode == OpenMode::ReadWrite) status = MakeDefaultFolder(location);
      if (status.ok()) status = OpenSqliteStore(location.where, mode, opened);
    }
    if (status.ok()) status = PrepareSchema(*opened, mode);
    if (status.ok()) store = std::move(opened);
    return status;
  });
}

}  // namespace zv::archive
