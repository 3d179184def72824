#include "cli/output_file.h"

#include <cstring>

#include "cli/process_guard.h"

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
  file_ = platform::OpenOutput(target_, sizeof target_, temporary_, sizeof temporary_);
  return file_ != nullptr;
}

void OutputFile::Put(const char* bytes, std::size_t n) {
  // A stop request ends the writing at once; the file is then abandoned at Commit.
  if (failed_ || StopRequested()) {
    failed_ = true;
    return;
  }
  if (file_ == nullptr || std::fwrite(bytes, 1, n, file_) != n) failed_ = true;
}

bool OutputFile::Commit() {
  if (file_ == nullptr) return false;
  if (toStdout_) {
    file_ = nullptr;
    return std::fflush(stdout) == 0 && !failed_;
  }
  // Interrupted: the file that was there stays.
  if (StopRequested()) {
    Abandon();
    return false;
  }
  const bool inPlace = temporary_[0] == '\0';
  // A device or a FIFO has nothing to sync.
  bool ok = !failed_ && std::fflush(file_) == 0 && (inPlace || platform::SyncToDisk(file_));
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  if (inPlace) return ok;
  if (ok && platform::MoveOverTarget(temporary_, target_)) {
    // The new file is whole and in place: a stop request that comes now no longer turns the
    // command into a failure that claims nothing was written.
    KeepOutcome();
    return true;
  }
  platform::RemoveFile(temporary_);
  return false;
}

void OutputFile::Abandon() {
  if (file_ == nullptr || toStdout_) return;
  std::fclose(file_);
  file_ = nullptr;
  if (temporary_[0] != '\0') platform::RemoveFile(temporary_);
}

OutputFile::~OutputFile() {
  Abandon();
}

bool TemporaryPrefix(const char* target, std::size_t suffixLength, std::size_t maxComponent,
                     char* out, std::size_t capacity) {
  const std::size_t length = std::strlen(target);
  std::size_t nameStart = length;
  while (nameStart > 0 && target[nameStart - 1] != '/' && target[nameStart - 1] != '\\') {
    --nameStart;
  }
  if (suffixLength >= maxComponent) return false;
  std::size_t nameLength = length - nameStart;
  if (nameLength + suffixLength > maxComponent) {
    nameLength = maxComponent - suffixLength;
    // Never half a character: back off over UTF-8 continuation bytes.
    while (nameLength > 0 &&
           (static_cast<unsigned char>(target[nameStart + nameLength]) & 0xC0) == 0x80) {
      --nameLength;
    }
  }
  const std::size_t prefixLength = nameStart + nameLength;
  if (prefixLength + suffixLength + 1 > capacity) return false;
  std::memcpy(out, target, prefixLength);
  out[prefixLength] = '\0';
  return true;
}

}  // namespace zv::cli
