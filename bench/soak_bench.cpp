// The soak: zorvant-cli's own read and config commands, run in this process again and again
// against kvar2-emu on a pseudo-terminal (500 connect/download/disconnect cycles and 200
// configuration writes by default; `soak_bench CYCLES WRITES` for others). It prints the
// failures, the time a cycle takes, and the resident memory and open descriptors of this
// process and of the emulator, sampled as it goes: they must stay flat. A benchmark: it
// prints figures and asserts nothing.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/config_command.h"
#include "cli/read_command.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Usage {
  long rssKiB = 0;
  long descriptors = 0;
};

Usage UsageOf(pid_t pid) {
  Usage usage;
  const std::string proc = "/proc/" + std::to_string(pid);
  if (std::FILE* statm = std::fopen((proc + "/statm").c_str(), "r")) {
    long size = 0, resident = 0;
    if (std::fscanf(statm, "%ld %ld", &size, &resident) == 2) {
      usage.rssKiB = resident * (sysconf(_SC_PAGESIZE) / 1024);
    }
    std::fclose(statm);
  }
  if (DIR* fds = opendir((proc + "/fd").c_str())) {
    while (const dirent* entry = readdir(fds)) {
      if (entry->d_name[0] != '.') ++usage.descriptors;
    }
    closedir(fds);
    --usage.descriptors;  // the directory stream itself
  }
  return usage;
}

struct Series {
  Usage first, low{1L << 40, 1L << 40}, high;
  void Add(const Usage& u, bool isFirst) {
    if (isFirst) first = u;
    if (u.rssKiB < low.rssKiB) low.rssKiB = u.rssKiB;
    if (u.descriptors < low.descriptors) low.descriptors = u.descriptors;
    if (u.rssKiB > high.rssKiB) high.rssKiB = u.rssKiB;
    if (u.descriptors > high.descriptors) high.descriptors = u.descriptors;
  }
  void Print(std::FILE* out, const char* who, const Usage& last) const {
    std::fprintf(out, "%-9s memory %ld KiB at the first sample, %ld..%ld KiB, %ld at the end\n",
                 who, first.rssKiB, low.rssKiB, high.rssKiB, last.rssKiB);
    std::fprintf(out, "%-9s descriptors %ld at the first sample, %ld..%ld, %ld at the end\n", who,
                 first.descriptors, low.descriptors, high.descriptors, last.descriptors);
  }
};

pid_t StartEmulator(const std::string& link) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDERR_FILENO);
    execl(KVAR2_EMU_PATH, KVAR2_EMU_PATH, "--link", link.c_str(), "--unpaced", "--channels", "2",
          "--write-pointer", "0x0420", static_cast<char*>(nullptr));
    _exit(127);
  }
  struct stat st {};
  for (int i = 0; i < 200 && lstat(link.c_str(), &st) != 0; ++i) usleep(25000);
  return pid;
}

}  // namespace

int main(int argc, char** argv) {
  const int cycles = argc > 1 ? std::atoi(argv[1]) : 500;
  const int writes = argc > 2 ? std::atoi(argv[2]) : 200;
  char dir[] = "/tmp/zv-soak-XXXXXX";
  if (mkdtemp(dir) == nullptr) return 1;
  const std::string link = std::string(dir) + "/logger";
  const pid_t emulator = StartEmulator(link);

  // The commands print their results; the figures go to the terminal the soak was started on.
  std::FILE* report = fdopen(dup(STDOUT_FILENO), "w");
  const int quiet = open("/dev/null", O_WRONLY);
  dup2(quiet, STDOUT_FILENO);
  dup2(quiet, STDERR_FILENO);

  zv::cli::ReadOptions read;
  read.port = link;
  read.output = std::string(dir) + "/export.txt";
  read.archive.none = true;  // the soak times the link, and fills no one's archive
  zv::cli::ConfigOptions config;
  config.port = link;
  config.keep = true;

  Series self, logger;
  int failures = 0;
  const int total = cycles + writes;
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < total; ++i) {
    int code;
    if (i < cycles) {
      code = zv::cli::RunRead(read);
    } else {
      config.overrides.interval = i % 17;
      code = zv::cli::RunConfig(config);
    }
    if (code != 0) ++failures;
    if (i % 25 == 0 || i + 1 == total) {
      self.Add(UsageOf(getpid()), i == 0);
      logger.Add(UsageOf(emulator), i == 0);
    }
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

  std::fprintf(report, "soak: %d connect/download/disconnect cycles, %d configuration writes\n",
               cycles, writes);
  std::fprintf(report, "failures  %d\n", failures);
  std::fprintf(report, "time      %.1f s, %.3f s an operation\n", seconds,
               seconds / (total > 0 ? total : 1));
  self.Print(report, "soak", UsageOf(getpid()));
  logger.Print(report, "emulator", UsageOf(emulator));
  std::fclose(report);
  kill(emulator, SIGTERM);
  waitpid(emulator, nullptr, 0);
  unlink(read.output.c_str());
  rmdir(dir);
  return failures == 0 ? 0 : 1;
}
