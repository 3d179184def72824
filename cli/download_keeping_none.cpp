// A build without an archive store: it keeps nothing, and says so once.
#include <cstdio>

#include "cli/download_keeping.h"
#include "cli/exit_codes.h"

namespace zv::cli {

namespace {

int SayNothingKept(const char* command, const ArchiveChoice& choice) {
  static bool said = false;
  if (!choice.none && !said) {
    std::fprintf(stderr, "zorvant-cli %s: this build keeps no archive\n", command);
    said = true;
  }
  return kExitOk;
}

}  // namespace

void IdentifyDownload(const INFO_TAB&, const SampleBuffer&, int64_t, RecordingIdentity&,
                      std::optional<int64_t>&) {}

int KeepDownloadInArchive(const char* command, const ArchiveChoice& choice, const INFO_TAB&,
                          const SampleBuffer&, const char*, RecordingIdentity&) {
  return SayNothingKept(command, choice);
}

int RecordInfoInArchive(const char* command, const ArchiveChoice& choice, const INFO_TAB&,
                        const char*) {
  return SayNothingKept(command, choice);
}

int RecordConfigWriteInArchive(const char* command, const ArchiveChoice& choice, const char*,
                               const INFO_TAB&, const INFO_TAB&, const GivenAnswers&, const char*) {
  return SayNothingKept(command, choice);
}

int RecordFileWrittenInArchive(const char* command, const ArchiveChoice& choice, const std::string&,
                               const char*, const std::string&) {
  return SayNothingKept(command, choice);
}

}  // namespace zv::cli
