#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "cli/output_file.h"

namespace zv::cli::platform {

std::FILE* CreateTemporaryBeside(const char* target, char* temporary, std::size_t capacity) {
  std::snprintf(temporary, capacity, "%s.XXXXXX", target);
  const int fd = mkstemp(temporary);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) {
    close(fd);
    unlink(temporary);
  }
  return file;
}

bool SyncToDisk(std::FILE* file) {
  // mkstemp makes the file for its owner only; an export is an ordinary file.
  return fsync(fileno(file)) == 0 && fchmod(fileno(file), 0644) == 0;
}

bool MoveOverTarget(const char* temporary, const char* target) {
  return std::rename(temporary, target) == 0;
}

void RemoveFile(const char* path) {
  unlink(path);
}

}  // namespace zv::cli::platform
