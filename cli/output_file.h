// The export file of the command line, written atomically: the bytes go to a temporary file
// in the same folder, which replaces the target only once complete and flushed, so a failed
// write leaves an existing file untouched. "-" writes to standard output instead.
#pragma once

#include <cstddef>
#include <cstdio>

#include "samples/export_file.h"

namespace zv::cli {

class OutputFile final : public ByteSink {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  bool Open(const char* path);
  void Put(const char* bytes, std::size_t n) override;
  // Flushes, syncs and renames over the target; false when any step or any write failed.
  bool Commit();

 private:
  void Abandon();

  std::FILE* file_ = nullptr;
  bool toStdout_ = false;
  bool failed_ = false;
  char target_[4096] = {};
  char temporary_[4096 + 16] = {};
};

// What differs between platforms: the temporary file, the flush to disk, the replacement.
namespace platform {
// Creates a new temporary file beside `target`, writing its name into `temporary`.
std::FILE* CreateTemporaryBeside(const char* target, char* temporary, std::size_t capacity);
bool SyncToDisk(std::FILE* file);
bool MoveOverTarget(const char* temporary, const char* target);
void RemoveFile(const char* path);
}  // namespace platform

}  // namespace zv::cli
