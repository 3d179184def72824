#include "script.h"

#include <windows.h>

#include <cstdio>

namespace zvd {

std::wstring Utf8ToWide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::string WideToUtf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n,
                      nullptr, nullptr);
  return utf8;
}

static bool Unescape(wchar_t c, wchar_t& out) {
  switch (c) {
    case L'r':
      out = L'\r';
      return true;
    case L'n':
      out = L'\n';
      return true;
    case L't':
      out = L'\t';
      return true;
    case L'"':
      out = L'"';
      return true;
    case L'\\':
      out = L'\\';
      return true;
    default:
      return false;
  }
}

std::wstring ExpandVariables(const std::wstring& text) {
  std::vector<wchar_t> out(32768, L'\0');
  const DWORD n = ExpandEnvironmentStringsW(text.c_str(), out.data(), 32768);
  return n > 0 && n <= 32768 ? std::wstring(out.data()) : text;
}

bool SplitWords(const std::wstring& line, std::vector<std::wstring>& words, std::wstring& error) {
  words.clear();
  size_t i = 0;
  const size_t n = line.size();
  while (i < n) {
    while (i < n && (line[i] == L' ' || line[i] == L'\t')) ++i;
    if (i >= n) break;
    std::wstring word;
    if (line[i] == L'"') {
      ++i;
      bool closed = false;
      while (i < n) {
        wchar_t c = line[i++];
        if (c == L'"') {
          closed = true;
          break;
        }
        if (c == L'\\') {
          wchar_t out = 0;
          if (i >= n || !Unescape(line[i], out)) {
            error = L"bad escape in quoted word";
            return false;
          }
          ++i;
          c = out;
        }
        word.push_back(c);
      }
      if (!closed) {
        error = L"unterminated quote";
        return false;
      }
    } else {
      while (i < n && line[i] != L' ' && line[i] != L'\t') word.push_back(line[i++]);
    }
    words.push_back(word);
  }
  return true;
}

bool LoadScript(const char* path, std::vector<ScriptLine>& lines, std::wstring& error) {
  FILE* f = std::fopen(path, "rb");
  if (!f) {
    error = L"cannot open script " + Utf8ToWide(path);
    return false;
  }
  std::string all;
  char chunk[4096];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) all.append(chunk, got);
  std::fclose(f);
  if (all.size() >= 3 && all.compare(0, 3, "\xEF\xBB\xBF") == 0) all.erase(0, 3);

  int number = 0;
  size_t start = 0;
  while (start <= all.size()) {
    size_t end = all.find('\n', start);
    if (end == std::string::npos) end = all.size();
    std::string raw = all.substr(start, end - start);
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    ++number;
    start = end + 1;
    ScriptLine line;
    line.number = number;
    line.text = Utf8ToWide(raw);
    const size_t first = line.text.find_first_not_of(L" \t");
    if (first == std::wstring::npos || line.text[first] == L'#') continue;
    if (!SplitWords(line.text, line.words, error)) {
      error = L"line " + std::to_wstring(number) + L": " + error;
      return false;
    }
    lines.push_back(line);
  }
  return true;
}

}  // namespace zvd
