// Downloads a full memory (32,768 bytes, 1,025 blocks) from kvar2-emu paced at 9600 baud
// through PosixPort and prints our time against the wire time, the CPU time used and the heap
// allocations made during the download. A benchmark: it prints figures and asserts nothing.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "link/download.h"
#include "link/serial_posix.h"
#include "link/session.h"
#include "tests/support/quiet_ui.h"
#include "tests/support/stream_port.h"

namespace {

using Clock = std::chrono::steady_clock;

class BenchUi final : public zv::test::QuietUi {
 public:
  int steps = 0;
  zv::DownloadOutcome RunDownloadWindow(uint16_t, zv::Transfer& transfer) override {
    struct Count final : zv::StepAction {
      int& n;
      explicit Count(int& c) : n(c) {}
      void Step() override { ++n; }
    } count(steps);
    return transfer.Run(count) ? zv::DownloadOutcome::Succeeded : zv::DownloadOutcome::Failed;
  }
};

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main() {
  char dir[] = "/tmp/zv-bench-XXXXXX";
  if (mkdtemp(dir) == nullptr) return 1;
  const std::string link = std::string(dir) + "/logger";

  const pid_t emulator = fork();
  if (emulator == 0) {
    execl(KVAR2_EMU_PATH, KVAR2_EMU_PATH, "--link", link.c_str(), "--paced", "--memory-start", "0",
          "--memory-bytes", "32768", "--write-pointer", "0", "--memory-end", "0x7FFE",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  struct stat st {};
  for (int i = 0; i < 200 && lstat(link.c_str(), &st) != 0; ++i) usleep(25000);

  zv::PosixPort port;
  zv::LoggerSession session(port);
  BenchUi ui;
  auto store = std::make_unique<zv::SampleStore>();
  int status = 1;
  if (zv::ConnectTo(session, ui, link.c_str()) != zv::ConnectResult::Connected) {
    std::printf("could not connect to the emulator\n");
  } else {
    const double cpuBefore = CpuSeconds();
    const Clock::time_point start = Clock::now();
    long allocations = 0;
    bool ok;
    {
      zv::test::AllocationCounter counter;
      ok = zv::RunDownload(session, *store, ui);
      allocations = counter.count();
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const double cpu = CpuSeconds() - cpuBefore;
    // Bytes on the line during the download, both ways: ping and its answer, the command,
    // 1,025 blocks, the acknowledgement, the closing ping and its answer.
    const long lineBytes = 4 + 1 + 4 + static_cast<long>(ui.steps) * 33 + 1 + 4 + 1;
    const double wire = static_cast<double>(lineBytes) * 10.0 / 9600.0;
    std::printf("download %s: %u bytes in %d blocks\n", ok ? "succeeded" : "FAILED",
                store->loaded.n, ui.steps);
    std::printf("wire time   %.3f s (%ld bytes at 9600 baud, 10 bits a byte)\n", wire, lineBytes);
    std::printf("wall time   %.3f s\n", wall);
    std::printf("wall / wire %.4f (%+.2f %%)\n", wall / wire, (wall / wire - 1.0) * 100.0);
    std::printf("cpu time    %.3f s (%.2f %% of wall)\n", cpu, cpu / wall * 100.0);
    std::printf("heap allocations during the download: %ld\n", allocations);
    zv::TearDown(session, ui);
    status = ok ? 0 : 1;
  }
  kill(emulator, SIGTERM);
  waitpid(emulator, nullptr, 0);
  rmdir(dir);
  return status;
}
