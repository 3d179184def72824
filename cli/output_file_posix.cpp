#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "cli/output_file.h"

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
  std::snprintf(temporary_, sizeof temporary_, "%s.XXXXXX", path);
  const int fd = mkstemp(temporary_);
  if (fd < 0) return false;
  file_ = fdopen(fd, "wb");
  if (file_ == nullptr) {
    close(fd);
    unlink(temporary_);
    return false;
  }
  return true;
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
  bool ok = !failed_ && std::fflush(file_) == 0 && fsync(fileno(file_)) == 0;
  // mkstemp creates the file for its owner only; an export is an ordinary file.
  ok = ok && fchmod(fileno(file_), 0644) == 0;
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  if (ok && std::rename(temporary_, target_) == 0) return true;
  unlink(temporary_);
  return false;
}

void OutputFile::Abandon() {
  if (file_ == nullptr || toStdout_) return;
  std::fclose(file_);
  file_ = nullptr;
  unlink(temporary_);
}

OutputFile::~OutputFile() {
  Abandon();
}

}  // namespace zv::cli
