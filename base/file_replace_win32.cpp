#include "base/file_replace_win32.h"

#include <windows.h>
// windows.h first: bcrypt.h needs its types.
#include <bcrypt.h>

#include <cwchar>

namespace zv::win32 {

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

void* CreateTemporaryBeside(const wchar_t* target, wchar_t* temporary, std::size_t capacity) {
  const std::size_t folder = FolderLength(target);
  if (folder + kTemporaryNameLength + 1 > capacity) return nullptr;
  wmemcpy(temporary, target, folder);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    PutTemporaryName(temporary + folder, RandomBits());
    // CREATE_NEW: never a file that exists, whoever made it.
    HANDLE h = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h != INVALID_HANDLE_VALUE) return h;
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  temporary[0] = L'\0';
  return nullptr;
}

bool ReplaceWithTemporary(const wchar_t* temporary, const wchar_t* target) {
  return MoveFileExW(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace zv::win32
