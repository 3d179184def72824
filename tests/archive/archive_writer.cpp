// A writer for the archive's crash and concurrency cases: keeps downloads in a loop and prints
// the seed of each one the archive has confirmed, so that a case can kill it at any moment
// and know what must have been kept.
//
// usage: zv_archive_writer LOCATION FIRST COUNT [--shared] [--file-limit BYTES]
//   --shared      also keep the download of seed 0 each time (the same bytes as another writer)
//   --file-limit  no file may grow past BYTES (a full disk, as far as the archive can tell)
// Exit: 0 all kept; 3 the archive was not written; 1 any other failure.
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "archive/keep.h"
#include "tests/archive/archive_fixtures.h"

using namespace zv::archive;

namespace {

int Failed(const ArchiveStatus& status) {
  std::fprintf(stderr, "zv_archive_writer: %s\n", status.message.c_str());
  return status.fault == ArchiveFault::NotWritten ? 3 : 1;
}

ArchiveStatus Keep(ArchiveStore& store, uint32_t seed) {
  const test::TestDownload download = test::MakeDownload(seed);
  KeptRecording kept;
  return KeepDownload(store, download.table, download.memory, "/dev/ttyTEST",
                      test::TestAttribution(), kept);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s LOCATION FIRST COUNT [--shared] [--file-limit BYTES]\n",
                 argv[0]);
    return 1;
  }
  const auto first = static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10));
  const auto count = static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10));
  bool shared = false;
  rlim_t fileLimit = RLIM_INFINITY;
  for (int i = 4; i < argc; ++i) {
    if (std::strcmp(argv[i], "--shared") == 0) shared = true;
    if (std::strcmp(argv[i], "--file-limit") == 0 && i + 1 < argc) {
      fileLimit = std::strtoul(argv[++i], nullptr, 10);
    }
  }
  std::unique_ptr<ArchiveStore> store = test::OpenForTest(argv[1]);
  if (!store) return 1;
  if (fileLimit != RLIM_INFINITY) {
    // Once open: the keeping, not the opening, is what meets the full disk.
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending us
    const rlimit limit{fileLimit, RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  for (uint32_t seed = first; seed < first + count; ++seed) {
    ArchiveStatus status = Keep(*store, seed);
    if (status.ok() && shared) status = Keep(*store, 0);
    if (!status.ok()) return Failed(status);
    // Written straight to the pipe, so a kill right after loses no confirmation.
    const std::string line = std::to_string(seed) + "\n";
    if (write(STDOUT_FILENO, line.data(), line.size()) < 0) return 1;
  }
  return 0;
}
