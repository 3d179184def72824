// Exports a full memory (32,768 bytes) in each format the program and the CLI write, many times
// over, into a sink that only counts, and prints the time per export, the bytes and the heap
// allocations made during one export. A benchmark: it prints figures and asserts nothing.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "base/info_tab.h"
#include "bench/bench_support.h"
#include "cli/read_formats.h"
#include "samples/civil_time.h"
#include "samples/export_samples.h"
#include "tests/support/quiet_ui.h"
#include "tests/support/stream_port.h"

namespace {

using Clock = std::chrono::steady_clock;

class CountingFile final : public zv::ExportFile {
 public:
  void Put(const char*, std::size_t n) override {
    bytes += n;
    ++writes;
  }
  bool Commit() override { return true; }
  std::size_t bytes = 0;
  std::size_t writes = 0;
};

// The program's export command with a screen that answers at once and a file that counts.
class BenchScreen final : public zv::test::QuietUi {
 public:
  bool AskExportPath(const char*) override { return true; }
  zv::ExportFile* CreateExportFile() override {
    file = CountingFile{};
    return &file;
  }
  CountingFile file;
};

template <typename Export>
void Measure(const char* name, int rounds, Export&& run) {
  CountingFile file;
  long allocations = 0;
  {
    zv::test::AllocationCounter counter;
    run(file);
    allocations = counter.count();
  }
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    CountingFile again;
    run(again);
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count() / rounds;
  std::printf("%-28s %8.3f ms %9zu bytes %5zu writes %7.1f MB/s %4ld allocations\n", name,
              seconds * 1e3, file.bytes, file.writes,
              static_cast<double>(file.bytes) / seconds / 1e6, allocations);
}

}  // namespace

int main() {
  auto samples = std::make_unique<zv::SampleBuffer>();
  zv::bench::FillTwoCurves(*samples);
  constexpr int kRounds = 200;
  std::printf("full memory: %u bytes, %d rounds each\n", samples->n, kRounds);

  for (const uint8_t mode : {1, 2}) {
    zv::LoggerInfo info;
    std::memcpy(info.tab.LoggerId(), "BENCH/01", 8);
    info.tab.SetIntervalIndex(11);
    info.tab.SetFlags(mode == 2 ? zv::kFlagTwoChannels : 0);
    info.tab.SetWritePointer(0);
    zv::DeriveAtConnect(info);
    std::printf("-- %d channel(s)\n", mode);

    zv::CsvOptions timed;
    zv::ParseStartTime("2026-12-01T08:00:00+01:00", timed.start);
    timed.hasStart = true;
    using zv::cli::ReadFormat;
    const zv::CsvOptions plain;
    Measure("text (WriteExportFile)", kRounds, [&](CountingFile& f) {
      zv::cli::WriteReadFormat(ReadFormat::Text, *samples, info, plain, f);
    });
    Measure("csv", kRounds, [&](CountingFile& f) {
      zv::cli::WriteReadFormat(ReadFormat::Csv, *samples, info, plain, f);
    });
    Measure("csv --started-at", kRounds, [&](CountingFile& f) {
      zv::cli::WriteReadFormat(ReadFormat::Csv, *samples, info, timed, f);
    });
    zv::CsvOptions polish = timed;
    polish.dialect = zv::CsvDialect::ExcelPolish;
    Measure("csv excel-pl --started-at", kRounds, [&](CountingFile& f) {
      zv::cli::WriteReadFormat(ReadFormat::Csv, *samples, info, polish, f);
    });
    Measure("json", kRounds, [&](CountingFile& f) {
      zv::cli::WriteReadFormat(ReadFormat::Json, *samples, info, plain, f);
    });
    BenchScreen screen;
    Measure("ExportSamples (the command)", kRounds, [&](CountingFile& f) {
      zv::ExportSamples(info, *samples, screen);
      f = screen.file;
    });
  }
  return 0;
}
