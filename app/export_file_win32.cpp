#include "app/export_file_win32.h"

#include <cwchar>
#include <iterator>

#include "base/file_replace_win32.h"

namespace zv {

bool Win32ExportFile::Create(const wchar_t* target) {
  Abandon();
  failed_ = false;
  const std::size_t length = wcsnlen(target, kExportPathCapacity);
  if (length == 0 || length >= kExportPathCapacity) return false;
  wmemcpy(target_, target, length + 1);
  void* created = win32::CreateTemporaryBeside(target_, temporary_, std::size(temporary_));
  if (created == nullptr) return false;
  handle_ = created;
  return true;
}

void Win32ExportFile::Put(const char* bytes, std::size_t n) {
  // After a failed write the file is lost anyway; Commit reports it.
  while (n > 0 && !failed_) {
    const DWORD chunk = n > (1u << 30) ? (1u << 30) : static_cast<DWORD>(n);
    DWORD written = 0;
    if (handle_ == INVALID_HANDLE_VALUE || !WriteFile(handle_, bytes, chunk, &written, nullptr) ||
        written == 0) {
      failed_ = true;
      return;
    }
    bytes += written;
    n -= written;
  }
}

bool Win32ExportFile::Commit() {
  if (handle_ == INVALID_HANDLE_VALUE) return false;
  bool ok = !failed_ && FlushFileBuffers(handle_) != FALSE;
  ok = CloseHandle(handle_) != FALSE && ok;
  handle_ = INVALID_HANDLE_VALUE;
  if (ok && win32::ReplaceWithTemporary(temporary_, target_)) return true;
  // The target is as it was: untouched by the temporary, which goes.
  DeleteFileW(temporary_);
  return false;
}

void Win32ExportFile::Abandon() {
  if (handle_ == INVALID_HANDLE_VALUE) return;
  CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
  DeleteFileW(temporary_);
}

}  // namespace zv
