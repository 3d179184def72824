// Where the archive lives: `--archive PATH`, else $ZORVANT_ARCHIVE, else the user's data folder
// ($XDG_DATA_HOME/zorvant2/archive.sqlite, ~/.local/share/… without it;
// %LOCALAPPDATA%\Zorvant2\archive.sqlite on Windows). A postgresql:// URL names a server's
// archive instead of a file.
#pragma once

#include <cstdint>
#include <string>

#include "archive/archive_status.h"

namespace zv::archive {

enum class ArchiveKind : uint8_t { SqliteFile, PostgreSql };
enum class LocationFrom : uint8_t { Option, Environment, Default };

struct ArchiveLocation {
  ArchiveKind kind = ArchiveKind::SqliteFile;
  std::string where;  // the path, or the URL as given
  LocationFrom from = LocationFrom::Default;
};

// A variable of the environment, or null; tests give their own environment.
using EnvironmentLookup = const char* (*)(const char* name);
const char* ProcessEnvironment(const char* name);  // std::getenv

// `option` is --archive's value, or null when not given. CannotOpen when neither it, the
// variable nor a home folder gives a place; BadInput for an empty path.
ArchiveStatus ResolveArchiveLocation(const char* option, ArchiveLocation& location,
                                     EnvironmentLookup environment = ProcessEnvironment);

// The default place from the environment (platform file); false when the environment names
// no home or data folder.
bool DefaultArchivePath(EnvironmentLookup environment, std::string& path);

}  // namespace zv::archive
