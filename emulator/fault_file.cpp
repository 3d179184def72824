#include "emulator/fault_file.h"

#include <cstdio>

namespace zv::emu {

namespace {
constexpr std::size_t kLongestFile = 4096;  // a few dozen knobs; the rest is not read
}  // namespace

bool FaultFile::Changed(FaultSet& faults, std::string& unknown) {
  std::string text;
  if (std::FILE* file = std::fopen(path_.c_str(), "r")) {
    char chunk[512];
    std::size_t got = 0;
    while (text.size() < kLongestFile && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
      text.append(chunk, got);
    }
    std::fclose(file);
  }
  if (looked_ && text == lastText_) return false;
  looked_ = true;
  lastText_ = text;
  faults = base_;
  unknown.clear();
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t start = text.find_first_not_of(" \t\r\n", at);
    if (start == std::string::npos) break;
    std::size_t end = text.find_first_of(" \t\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string name = text.substr(start, end - start);
    if (!ApplyFault(faults, name)) unknown += (unknown.empty() ? "" : " ") + name;
    at = end;
  }
  return true;
}

}  // namespace zv::emu
