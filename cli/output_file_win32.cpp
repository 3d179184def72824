#include <io.h>
#include <windows.h>

#include <cstdio>

#include "cli/output_file.h"

namespace zv::cli::platform {

std::FILE* CreateTemporaryBeside(const char* target, char* temporary, std::size_t capacity) {
  std::snprintf(temporary, capacity, "%s.tmp~", target);
  return std::fopen(temporary, "wb");
}

bool SyncToDisk(std::FILE* file) {
  return _commit(_fileno(file)) == 0;
}

bool MoveOverTarget(const char* temporary, const char* target) {
  return MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void RemoveFile(const char* path) {
  DeleteFileA(path);
}

}  // namespace zv::cli::platform
