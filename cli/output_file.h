// The export file of the command line. A regular file (or a new one) is written atomically:
// the bytes go to a temporary file in the same folder, which replaces the target only once
// complete and flushed, so a failed write leaves an existing file untouched; it keeps the
// target's permissions. A symlink is followed and the file it names is replaced in its own
// folder. A device or a FIFO is written in place. "-" writes to standard output.
#pragma once

#include <cstddef>
#include <cstdio>

#include "base/message_screen.h"
#include "samples/export_file.h"

namespace zv::cli {

class OutputFile final : public ByteSink {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  bool Open(const char* path);
  // After a failed Open: why, for a message; null when the platform did not say.
  const char* OpenProblem() const;
  void Put(const char* bytes, std::size_t n) override;
  // Flushes, syncs and renames over the target; false when any step or any write failed, or
  // when a stop signal came first.
  bool Commit();

 private:
  void Abandon();

  std::FILE* file_ = nullptr;
  bool toStdout_ = false;
  bool failed_ = false;
  int openError_ = 0;  // an errno value, or 0
  char target_[4096] = {};
  // Empty while writing in place.
  char temporary_[4096 + 32] = {};
};

// After a failed Open of `path`: the program's message, then a line that says why. Returns
// the exit code.
int RefuseOutput(MessageScreen& screen, const char* path, const OutputFile& file);

// The start of a temporary file's name beside `target`: the target's path, its last component
// cut (before a whole UTF-8 character) so that `suffixLength` more bytes keep that component
// within `maxComponent` bytes and the whole path within `maxPath`. False when even an empty
// component cannot keep the path within `maxPath`, or the result does not fit `capacity`.
bool TemporaryPrefix(const char* target, std::size_t suffixLength, std::size_t maxComponent,
                     std::size_t maxPath, char* out, std::size_t capacity);

// What differs between platforms: where the bytes go, the flush to disk, the replacement.
namespace platform {
// Opens the output for `target` (a path of at most `capacity` bytes, which it may rewrite to
// the file a symlink names): a new temporary file beside it, its name in `temporary`, or the
// target itself, written in place, with `temporary` left empty. On a failure `error` holds
// the errno value that says why (ENAMETOOLONG: no temporary name beside the target fits a
// path), or 0.
std::FILE* OpenOutput(char* target, std::size_t capacity, char* temporary,
                      std::size_t temporaryCapacity, int& error);
bool SyncToDisk(std::FILE* file);
bool MoveOverTarget(const char* temporary, const char* target);
void RemoveFile(const char* path);
}  // namespace platform

}  // namespace zv::cli
