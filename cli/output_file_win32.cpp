#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "cli/output_file.h"

namespace zv::cli::platform {

namespace {
constexpr int kNameAttempts = 100;
}  // namespace

// A new file of our own, never one that exists (CREATE_NEW), under a name that another run
// cannot predict and take first.
std::FILE* CreateTemporaryBeside(const char* target, char* temporary, std::size_t capacity) {
  const unsigned long long seed =
      GetTickCount64() ^ (static_cast<unsigned long long>(GetCurrentProcessId()) << 32);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const int length = std::snprintf(temporary, capacity, "%s.%llx~", target,
                                     seed + static_cast<unsigned long long>(attempt) * 7919);
    if (length < 0 || static_cast<std::size_t>(length) >= capacity) return nullptr;
    HANDLE h = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      if (GetLastError() == ERROR_FILE_EXISTS) continue;
      return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_BINARY | _O_WRONLY);
    if (fd < 0) {
      CloseHandle(h);
      DeleteFileA(temporary);
      return nullptr;
    }
    std::FILE* file = _fdopen(fd, "wb");
    if (file == nullptr) {
      _close(fd);
      DeleteFileA(temporary);
    }
    return file;
  }
  return nullptr;
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
