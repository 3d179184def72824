#include "driver_log.h"

#include <windows.h>

#include <cstdio>

#include "script.h"

namespace zvd {

static FILE* g_log = nullptr;
static ULONGLONG g_start = GetTickCount64();

bool OpenLog(const char* path) {
  g_log = std::fopen(path, "wb");
  return g_log != nullptr;
}

void Log(const std::wstring& line) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%7llu ms  ",
                static_cast<unsigned long long>(GetTickCount64() - g_start));
  const std::string text = stamp + WideToUtf8(line) + "\n";
  if (g_log) {
    std::fwrite(text.data(), 1, text.size(), g_log);
    std::fflush(g_log);
  }
  std::fwrite(text.data(), 1, text.size(), stderr);
}

void CloseLog() {
  if (g_log) std::fclose(g_log);
  g_log = nullptr;
}

}  // namespace zvd
