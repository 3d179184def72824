#include "cli/output_file.h"

#include <cstring>

namespace zv::cli {

bool OutputFile::Open(const char* path) {
  if (std::strcmp(path, "-") == 0) {
    toStdout_ = true;
    file_ = stdout;
    return true;
  }
  const std::size_t length = std::strlen(path);
  if (length == 0 || length >= sizeof target_) return false;
  std::memcpy(target_, path, length + 1);
  file_ = platform::CreateTemporaryBeside(target_, temporary_, sizeof temporary_);
  return file_ != nullptr;
}

void OutputFile::Put(const char* bytes, std::size_t n) {
  if (file_ == nullptr || std::fwrite(bytes, 1, n, file_) != n) failed_ = true;
}

bool OutputFile::Commit() {
  if (file_ == nullptr) return false;
  if (toStdout_) {
    file_ = nullptr;
    return std::fflush(stdout) == 0 && !failed_;
  }
  bool ok = !failed_ && std::fflush(file_) == 0 && platform::SyncToDisk(file_);
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  if (ok && platform::MoveOverTarget(temporary_, target_)) return true;
  platform::RemoveFile(temporary_);
  return false;
}

void OutputFile::Abandon() {
  if (file_ == nullptr || toStdout_) return;
  std::fclose(file_);
  file_ = nullptr;
  platform::RemoveFile(temporary_);
}

OutputFile::~OutputFile() {
  Abandon();
}

}  // namespace zv::cli
