// zorvant-cli chart: the chart window's picture, or with --overview every reading on one chart,
// as SVG, PNG or PDF, from a logger or an export.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <string>

#include "cli/archive_choice.h"
#include "cli/channel_option.h"
#include "cli/recording_source.h"
#include "samples/civil_time.h"
#include "samples/recording_stats.h"

namespace zv::cli {

struct ChartOptions {
  ArchiveChoice archive;
  SourceOptions source;
  std::string output;
  uint32_t position = 0;
  bool fineRows = false;
  bool fineColumns = false;
  ChannelChoice channels;
  bool overview = false;
  ChannelLimits limits;                // --overview only
  std::optional<StartTime> startedAt;  // of slot 0; --overview only
};

CLI::App* AddChartCommand(CLI::App& app, ChartOptions& options);
// The options of the picture itself (output, position, grids, channels, the overview's), which
// archive chart takes too.
void AddChartPageOptions(CLI::App& chart, ChartOptions& options);
int RunChart(const ChartOptions& options);

}  // namespace zv::cli
