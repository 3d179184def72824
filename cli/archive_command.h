// zorvant-cli archive: what the archive of downloads holds, listed, shown, verified, reported
// and charted, its audit trail, and text exports imported into it.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/archive_choice.h"
#include "cli/chart_command.h"
#include "cli/report_command.h"

namespace zv::cli {

enum class ArchiveAction : uint8_t { None, List, Show, Verify, Log, Export, Report, Chart, Import };

struct ArchiveOptions {
  ArchiveChoice archive;
  ArchiveAction action = ArchiveAction::None;
  std::string loggerId;
  std::optional<int64_t> sinceUtc;  // --since, as seconds since 1970
  int64_t id = 0;
  bool json = false;
  std::string output;  // export: .txt, .csv or .json
  // report and chart: the commands' own options, the recording's number as their source
  ReportOptions report;
  ChartOptions chart;
  std::vector<std::string> importFiles;
};

CLI::App* AddArchiveCommand(CLI::App& app, ArchiveOptions& options);
int RunArchive(const ArchiveOptions& options);

// "2026-12-01" (midnight UTC) or "2026-12-01T08:00:00Z" as seconds since 1970; false for any
// other text or a date that does not exist.
bool ParseUtcDate(const std::string& text, int64_t& utc);

// Seconds since 1970 as "2026-12-01T08:00:00Z".
std::string UtcText(int64_t utc);

}  // namespace zv::cli
