// The archive on SQLite, on a temporary file: keeping a full two-channel download (32,768
// memory bytes) against its 10 ms budget, in an open archive and as a command does it (open,
// keep, close), beside what one sync to that disk costs; a listing of every recording against
// 100 ms; verifying every recording and the whole trail against 5 s; and the file's size per
// recording against 1.2 × the bytes kept. A benchmark: it prints figures and asserts nothing.
//
// usage: archive_bench [RECORDINGS]   (10,000 unless given; the file needs ~36 KB each)
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "archive/keep.h"
#include "archive/open_archive.h"
#include "archive/verify.h"
#include "bench/bench_support.h"

namespace {

using namespace zv::archive;

constexpr int kTimedKeeps = 200;
constexpr int kCommandKeeps = 50;
constexpr double kKeepBudgetMs = 10;
constexpr double kListBudgetMs = 100;
constexpr double kVerifyBudgetS = 5;
constexpr double kSizeBudget = 1.2;

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A full two-channel download, its first readings the number `n` so every one is new.
struct Download {
  zv::INFO_TAB table;
  std::unique_ptr<zv::SampleBuffer> memory = std::make_unique<zv::SampleBuffer>();
};

Download MakeDownload() {
  Download download;
  zv::bench::FillTwoCurves(*download.memory);
  zv::INFO_TAB& tab = download.table;
  tab.SetIntervalIndex(7);
  tab.SetMemoryEnd(zv::kSampleMemoryBytes - 2);
  tab.SetWritePointer(0);  // a full memory wraps to the start
  tab.SetStatusCode(4);
  tab.SetFlags(zv::kFlagTwoChannels);
  zv::SealInfoTab(tab);
  return download;
}

bool Keep(ArchiveStore& store, Download& download, uint32_t n, const Attribution& by) {
  for (int k = 0; k < 3; ++k) {
    download.memory->bytes[2 * k] = static_cast<uint8_t>(n >> (8 * k));
    download.memory->bytes[2 * k + 1] = 0;
  }
  KeptRecording kept;
  const ArchiveStatus status =
      KeepDownload(store, download.table, std::span(download.memory->bytes, zv::kSampleMemoryBytes),
                   "/dev/ttyUSB0", by, kept);
  if (!status.ok()) std::fprintf(stderr, "archive_bench: %s\n", status.message.c_str());
  return status.ok();
}

// A 4 KiB write and its sync to the disk under `folder`: what each of a keep's syncs costs
// there, since full sync makes them most of a keep's time.
double SyncMs(const std::string& folder) {
  const std::string path = folder + "/sync-probe";
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (file < 0) return 0;
  char page[4096] = {};
  const double seconds = zv::bench::SecondsPerRun(20, [&] {
    if (pwrite(file, page, sizeof page, 0) < 0 || fsync(file) != 0) page[0] = 1;
  });
  close(file);
  unlink(path.c_str());
  return 1000 * seconds;
}

std::unique_ptr<ArchiveStore> Open(const std::string& path, OpenMode mode) {
  std::unique_ptr<ArchiveStore> store;
  const ArchiveStatus status =
      OpenArchive({ArchiveKind::SqliteFile, path, LocationFrom::Option}, mode, store);
  if (!status.ok()) std::fprintf(stderr, "archive_bench: %s\n", status.message.c_str());
  return store;
}

}  // namespace

int main(int argc, char** argv) {
  const long recordings = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
  if (recordings < kTimedKeeps) {
    std::fprintf(stderr, "usage: %s [RECORDINGS >= %d]\n", argv[0], kTimedKeeps);
    return 2;
  }
  char folder[] = "/tmp/zv-archive-bench-XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  const std::string path = std::string(folder) + "/archive.sqlite";
  const Attribution by = AttributionNow();
  Download download = MakeDownload();
  int result = 1;
  {
    auto start = std::chrono::steady_clock::now();
    auto store = Open(path, OpenMode::ReadWrite);
    if (!store) return 1;
    const double openMs = 1000 * Since(start);

    start = std::chrono::steady_clock::now();
    uint32_t n = 0;
    while (n < kTimedKeeps && Keep(*store, download, n, by)) ++n;
    const double keepMs = 1000 * Since(start) / kTimedKeeps;
    start = std::chrono::steady_clock::now();
    while (n < recordings && Keep(*store, download, n, by)) ++n;
    const double fillS = Since(start);
    std::printf("archive of %ld full two-channel recordings (%zu memory bytes each) in %s\n",
                recordings, zv::kSampleMemoryBytes, folder);
    std::printf("create and open          %8.2f ms\n", openMs);
    std::printf("keep, on an empty archive %7.2f ms   budget %4.0f ms   ratio %.3f\n", keepMs,
                kKeepBudgetMs, keepMs / kKeepBudgetMs);
    std::printf("keep, filling it          %7.2f ms   (%ld keeps in %.1f s)\n",
                1000 * fillS / static_cast<double>(recordings - kTimedKeeps),
                recordings - kTimedKeeps, fillS);
    if (n != recordings) return 1;
  }
  {
    // What a command does around its keep: open the archive, keep, close (which folds the
    // write-ahead log into the file when it is the last connection).
    uint32_t n = static_cast<uint32_t>(recordings);
    const double commandMs = 1000 * zv::bench::SecondsPerRun(kCommandKeeps, [&] {
                               auto store = Open(path, OpenMode::ReadWrite);
                               if (store) Keep(*store, download, n++, by);
                             });
    const double syncMs = SyncMs(folder);
    std::printf("open, keep, close         %7.2f ms   budget %4.0f ms   ratio %.3f\n", commandMs,
                kKeepBudgetMs, commandMs / kKeepBudgetMs);
    std::printf("  a 4 KiB sync here takes %.2f ms: the command's time is %.1f of them\n", syncMs,
                syncMs > 0 ? commandMs / syncMs : 0);
  }
  {
    auto store = Open(path, OpenMode::ReadOnly);
    if (!store) return 1;
    std::vector<RecordingListing> listing;
    constexpr int kLists = 5;
    const double listMs = 1000 * zv::bench::SecondsPerRun(kLists, [&] {
                            if (!store->ListRecordings({}, listing).ok()) listing.clear();
                          });
    std::printf("list all %zu             %7.2f ms   budget %4.0f ms   ratio %.3f\n",
                listing.size(), listMs, kListBudgetMs, listMs / kListBudgetMs);

    VerifyReport report;
    const auto start = std::chrono::steady_clock::now();
    const ArchiveStatus status = Verify(*store, report);
    const double verifyS = Since(start);
    std::printf(
        "verify                    %7.2f s    budget %4.0f s    ratio %.3f   (%s: %lu "
        "recordings, %lu events)\n",
        verifyS, kVerifyBudgetS, verifyS / kVerifyBudgetS,
        status.ok() && report.Clean() ? "clean" : "NOT CLEAN",
        static_cast<unsigned long>(report.recordings), static_cast<unsigned long>(report.events));
    result = status.ok() && report.Clean() ? 0 : 1;
  }
  // Closed: the write-ahead log is folded into the file.
  const double raw = static_cast<double>(zv::kInfoTabSize + zv::kSampleMemoryBytes);
  const double perRecording = static_cast<double>(std::filesystem::file_size(path)) /
                              static_cast<double>(recordings + kCommandKeeps);
  std::printf("file size per recording  %8.0f B    raw %5.0f B     ratio %.3f (budget %.1f)\n",
              perRecording, raw, perRecording / raw, kSizeBudget);
  std::filesystem::remove_all(folder);
  return result;
}
