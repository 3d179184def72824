#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "cli/output_file.h"

namespace zv::cli::platform {

namespace {

constexpr int kNameAttempts = 100;
constexpr std::size_t kMaxName = 255;
constexpr std::size_t kSuffixLength = 18;  // ".", 16 hex digits, "~"

std::FILE* StreamOf(HANDLE h) {
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_BINARY | _O_WRONLY);
  if (fd < 0) {
    CloseHandle(h);
    return nullptr;
  }
  std::FILE* file = _fdopen(fd, "wb");
  if (file == nullptr) _close(fd);
  return file;
}

// A device (NUL, a console, a pipe) takes the bytes itself; it is never replaced.
std::FILE* OpenDeviceInPlace(const char* target, bool& isDevice) {
  isDevice = false;
  HANDLE h = CreateFileA(target, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  isDevice = GetFileType(h) != FILE_TYPE_DISK;
  if (!isDevice) {
    CloseHandle(h);
    return nullptr;
  }
  return StreamOf(h);
}

// A new file of our own, never one that exists (CREATE_NEW), under a name that another run
// cannot predict and take first.
std::FILE* CreateTemporaryBeside(const char* target, char* temporary, std::size_t capacity) {
  char prefix[4096];
  if (!TemporaryPrefix(target, kSuffixLength, kMaxName, prefix, sizeof prefix)) return nullptr;
  const unsigned long long seed =
      GetTickCount64() ^ (static_cast<unsigned long long>(GetCurrentProcessId()) << 32);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const int length = std::snprintf(temporary, capacity, "%s.%016llx~", prefix,
                                     seed + static_cast<unsigned long long>(attempt) * 7919);
    if (length < 0 || static_cast<std::size_t>(length) >= capacity) return nullptr;
    HANDLE h = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      if (GetLastError() == ERROR_FILE_EXISTS) continue;
      return nullptr;
    }
    std::FILE* file = StreamOf(h);
    if (file == nullptr) DeleteFileA(temporary);
    return file;
  }
  return nullptr;
}

}  // namespace

std::FILE* OpenOutput(char* target, std::size_t, char* temporary, std::size_t temporaryCapacity) {
  temporary[0] = '\0';
  bool isDevice = false;
  std::FILE* device = OpenDeviceInPlace(target, isDevice);
  if (isDevice) return device;
  return CreateTemporaryBeside(target, temporary, temporaryCapacity);
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
