#include "archive/archive_location.h"

#include <cstdlib>
#include <string_view>

namespace zv::archive {

namespace {

bool IsServerUrl(std::string_view where) {
  // libpq's two spellings of its URL.
  return where.starts_with("postgresql://") || where.starts_with("postgres://");
}

ArchiveStatus Located(std::string where, LocationFrom from, ArchiveLocation& location) {
  location.kind = IsServerUrl(where) ? ArchiveKind::PostgreSql : ArchiveKind::SqliteFile;
  location.where = std::move(where);
  location.from = from;
  return {};
}

}  // namespace

const char* ProcessEnvironment(const char* name) {
  return std::getenv(name);
}

ArchiveStatus ResolveArchiveLocation(const char* option, ArchiveLocation& location,
                                     EnvironmentLookup environment) {
  if (option != nullptr) {
    if (option[0] == '\0') return Failure(ArchiveFault::BadInput, "--archive names no archive");
    return Located(option, LocationFrom::Option, location);
  }
  // An empty variable counts as unset, as a shell's `ZORVANT_ARCHIVE=` means.
  if (const char* variable = environment("ZORVANT_ARCHIVE");
      variable != nullptr && variable[0] != '\0') {
    return Located(variable, LocationFrom::Environment, location);
  }
  std::string path;
  if (!DefaultArchivePath(environment, path)) {
    return Failure(ArchiveFault::CannotOpen,
                   "no place for the archive: no home folder is set; give --archive PATH or set "
                   "ZORVANT_ARCHIVE");
  }
  return Located(std::move(path), LocationFrom::Default, location);
}

}  // namespace zv::archive
