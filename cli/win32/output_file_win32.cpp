#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iterator>

#include "base/file_replace_win32.h"
#include "cli/output_file.h"

namespace zv::cli::platform {

namespace {

constexpr std::size_t kWidePathCapacity = 4096;

// The command line's paths are UTF-8 (its manifest makes that its code page); the file calls
// take UTF-16, so a folder named in any language works.
bool ToWide(const char* utf8, wchar_t (&out)[kWidePathCapacity]) {
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, out, kWidePathCapacity) > 0;
}

bool ToUtf8(const wchar_t* wide, char* out, std::size_t capacity) {
  return WideCharToMultiByte(CP_UTF8, 0, wide, -1, out, static_cast<int>(capacity), nullptr,
                             nullptr) > 0;
}

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
std::FILE* OpenDeviceInPlace(const wchar_t* target, bool& isDevice) {
  isDevice = false;
  HANDLE h = CreateFileW(target, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  isDevice = GetFileType(h) != FILE_TYPE_DISK;
  if (!isDevice) {
    CloseHandle(h);
    return nullptr;
  }
  return StreamOf(h);
}

// The program's own way: a new file beside the target under a name nobody can predict.
std::FILE* CreateTemporaryBeside(const wchar_t* target, char* temporary, std::size_t capacity) {
  wchar_t wide[kWidePathCapacity + win32::kTemporaryNameLength + 1];
  HANDLE h = win32::CreateTemporaryBeside(target, wide, std::size(wide));
  if (h == nullptr) return nullptr;
  if (!ToUtf8(wide, temporary, capacity)) {
    CloseHandle(h);
    DeleteFileW(wide);
    temporary[0] = '\0';
    return nullptr;
  }
  std::FILE* file = StreamOf(h);  // closes the handle when it fails
  if (file == nullptr) {
    DeleteFileW(wide);
    temporary[0] = '\0';
  }
  return file;
}

}  // namespace

std::FILE* OpenOutput(char* target, std::size_t, char* temporary, std::size_t temporaryCapacity,
                      int& error) {
  error = 0;  // the Windows calls say why in their own codes, which the message leaves out
  temporary[0] = '\0';
  wchar_t wide[kWidePathCapacity];
  if (!ToWide(target, wide)) return nullptr;
  bool isDevice = false;
  std::FILE* device = OpenDeviceInPlace(wide, isDevice);
  if (isDevice) return device;
  return CreateTemporaryBeside(wide, temporary, temporaryCapacity);
}

bool SyncToDisk(std::FILE* file) {
  return _commit(_fileno(file)) == 0;
}

bool MoveOverTarget(const char* temporary, const char* target) {
  wchar_t from[kWidePathCapacity];
  wchar_t to[kWidePathCapacity];
  return ToWide(temporary, from) && ToWide(target, to) && win32::ReplaceWithTemporary(from, to);
}

void RemoveFile(const char* path) {
  wchar_t wide[kWidePathCapacity];
  if (ToWide(path, wide)) DeleteFileW(wide);
}

}  // namespace zv::cli::platform
