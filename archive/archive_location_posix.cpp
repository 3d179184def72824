// The default archive on Linux and macOS: in the XDG data folder.
#include "archive/archive_location.h"

namespace zv::archive {

bool DefaultArchivePath(EnvironmentLookup environment, std::string& path) {
  // A relative XDG_DATA_HOME is invalid and ignored, as the XDG base directory rules say.
  if (const char* data = environment("XDG_DATA_HOME"); data != nullptr && data[0] == '/') {
    path = std::string(data) + "/zorvant2/archive.sqlite";
    return true;
  }
  const char* home = environment("HOME");
  if (home == nullptr || home[0] == '\0') return false;
  path = std::string(home) + "/.local/share/zorvant2/archive.sqlite";
  return true;
}

}  // namespace zv::archive
