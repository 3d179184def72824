// The default archive on Windows: in the user's local application data.
#include "archive/archive_location.h"

namespace zv::archive {

bool DefaultArchivePath(EnvironmentLookup environment, std::string& path) {
  const char* data = environment("LOCALAPPDATA");
  if (data == nullptr || data[0] == '\0') return false;
  path = std::string(data) + "\\Zorvant2\\archive.sqlite";
  return true;
}

}  // namespace zv::archive
