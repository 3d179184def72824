// A build without an archive store: no recording comes from it, and none is found in it.
#include <cstdio>

#include "cli/archive_source.h"
#include "cli/exit_codes.h"

namespace zv::cli {

int LoadKeptRecording(const char* command, const ArchiveChoice&, int64_t, Recording&) {
  std::fprintf(stderr, "zorvant-cli %s: this build keeps no archive\n", command);
  return kExitArchiveUnreadable;
}

RecordingIdentity FindReadingsInArchive(const ArchiveChoice&, const SampleBuffer&, uint8_t) {
  return {};
}

}  // namespace zv::cli
