#include "app/export_file_win32.h"

#include <bcrypt.h>

#include <cwchar>

namespace zv {

namespace {

constexpr int kNameAttempts = 16;

// 64 bits another program cannot predict, so it cannot take the temporary name first.
unsigned long long RandomBits() {
  unsigned long long bits = 0;
  if (BCRYPT_SUCCESS(BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(&bits), sizeof bits,
                                     BCRYPT_USE_SYSTEM_PREFERRED_RNG))) {
    return bits;
  }
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  return static_cast<unsigned long long>(counter.QuadPart) ^
         (static_cast<unsigned long long>(GetCurrentProcessId()) << 32);
}

// The length of the folder part of a path, its last separator included; 0 for a bare name.
std::size_t FolderLength(const wchar_t* path) {
  std::size_t folder = 0;
  for (std::size_t i = 0; path[i] != L'\0'; ++i) {
    if (path[i] == L'\\' || path[i] == L'/') folder = i + 1;
  }
  return folder;
}

// "~zv" + 16 hex digits + ".tmp" and a NUL at `out`.
void PutTemporaryName(wchar_t* out, unsigned long long bits) {
  constexpr wchar_t kHex[] = L"0123456789abcdef";
  wmemcpy(out, L"~zv", 3);
  for (int digit = 0; digit < 16; ++digit) out[3 + digit] = kHex[(bits >> (60 - 4 * digit)) & 0xF];
  wmemcpy(out + 19, L".tmp", 5);
}

}  // namespace

bool Win32ExportFile::Create(const wchar_t* target) {
  Abandon();
  failed_ = false;
  const std::size_t length = wcsnlen(target, kExportPathCapacity);
  if (length == 0 || length >= kExportPathCapacity) return false;
  wmemcpy(target_, target, length + 1);
  const std::size_t folder = FolderLength(target_);
  wmemcpy(temporary_, target_, folder);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    PutTemporaryName(temporary_ + folder, RandomBits());
    // CREATE_NEW: never a file that exists, whoever made it.
    handle_ = CreateFileW(temporary_, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                          nullptr);
    if (handle_ != INVALID_HANDLE_VALUE) return true;
    if (GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
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
  if (ok && MoveFileExW(temporary_, target_, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
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
