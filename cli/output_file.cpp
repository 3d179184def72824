#include "cli/output_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/safe_text.h"
#include "cli/exit_codes.h"
#include "cli/process_guard.h"
#include "samples/export_messages.h"

namespace zv::cli {

bool OutputFile::Open(const char* path) {
  if (std::strcmp(path, "-") == 0) {
    toStdout_ = true;
    file_ = stdout;
    return true;
  }
  const std::size_t length = std::strlen(path);
  if (length == 0 || length >= sizeof target_) {
    openError_ = length == 0 ? ENOENT : ENAMETOOLONG;
    return false;
  }
  std::memcpy(target_, path, length + 1);
  file_ = platform::OpenOutput(target_, sizeof target_, temporary_, sizeof temporary_, openError_);
  return file_ != nullptr;
}

const char* OutputFile::OpenProblem() const {
  if (openError_ == ENAMETOOLONG) {
    return "the path is too long for a safe replace: it, or the temporary file written beside "
           "it first, would pass the longest path the system takes";
  }
  return openError_ != 0 ? std::strerror(openError_) : nullptr;
}

int RefuseOutput(MessageScreen& screen, const char* path, const OutputFile& file) {
  screen.ShowMessage(msg::kCannotSave.c_str(), MessageIcon::Exclamation);
  if (const char* why = file.OpenProblem()) {
    std::fprintf(stderr, "zorvant-cli: %s: %s\n", Echoed(path).c_str(), why);
  }
  return kExitFileNotWritten;
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
    KeepOutcome("the output file was written");
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
                     std::size_t maxPath, char* out, std::size_t capacity) {
  const std::size_t length = std::strlen(target);
  std::size_t nameStart = length;
  while (nameStart > 0 && target[nameStart - 1] != '/' && target[nameStart - 1] != '\\') {
    --nameStart;
  }
  if (suffixLength >= maxComponent || nameStart + suffixLength > maxPath) return false;
  std::size_t nameLength = length - nameStart;
  // The shorter of the two bounds: the folder's longest name, and the longest path.
  const std::size_t room =
      std::min(maxComponent - suffixLength, maxPath - suffixLength - nameStart);
  if (nameLength > room) {
    nameLength = room;
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
