#include "file_commands.h"

#include <windows.h>

#include <cstdio>

#include "driver_log.h"

namespace zvd {

namespace {

bool ReadWhole(const std::wstring& path, std::string& bytes) {
  FILE* f = _wfopen(path.c_str(), L"rb");
  if (!f) return false;
  bytes.clear();
  char chunk[4096];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, got);
  std::fclose(f);
  return true;
}

bool Args(const std::vector<std::wstring>& w, size_t count, std::wstring& failure) {
  if (w.size() == count + 1) return true;
  failure = L"wrong number of arguments for " + w[0];
  return false;
}

}  // namespace

bool Faults(DriverState&, const std::vector<std::wstring>& w, std::wstring& failure) {
  if (!Args(w, 1, failure)) return false;
  const std::wstring path = ExpandVariables(L"%ZV_WORK%\\faults.txt");
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return failure = L"cannot write " + path, false;
  const std::string text = WideToUtf8(w[1]) + "\n";
  const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return (std::fclose(f) == 0 && ok) || (failure = L"cannot write " + path, false);
}

bool CopyFileCmd(DriverState&, const std::vector<std::wstring>& w, std::wstring& failure) {
  if (!Args(w, 2, failure)) return false;
  const std::wstring from = ExpandVariables(w[1]);
  const std::wstring to = ExpandVariables(w[2]);
  if (CopyFileW(from.c_str(), to.c_str(), FALSE)) return true;
  failure = L"cannot copy " + from + L" to " + to;
  return false;
}

bool ExpectFiles(DriverState&, const std::vector<std::wstring>& w, std::wstring& failure) {
  if (!Args(w, 3, failure)) return false;
  if (w[1] != L"same" && w[1] != L"differ") return failure = L"same or differ, not " + w[1], false;
  std::string a, b;
  if (!ReadWhole(ExpandVariables(w[2]), a)) return failure = L"cannot read " + w[2], false;
  if (!ReadWhole(ExpandVariables(w[3]), b)) return failure = L"cannot read " + w[3], false;
  if ((a == b) == (w[1] == L"same")) return true;
  failure = w[2] + (a == b ? L" and " : L" differs from ") + w[3] +
            (a == b ? L" are the same"
                    : L" (" + std::to_wstring(a.size()) + L" and " + std::to_wstring(b.size()) +
                          L" bytes)");
  return false;
}

}  // namespace zvd
