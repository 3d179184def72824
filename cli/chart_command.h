// zorvant-cli chart: the chart window's picture, or with --overview every reading on one chart,
// as SVG, PNG or PDF, from a logger or an export.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>

#include "samples/recording_stats.h"

namespace zv::cli {

struct ChartOptions {
  std::string port;
  std::string fromExport;
  std::string output;
  uint32_t position = 0;
  bool fineRows = false;
  bool fineColumns = false;
  std::string channels = "ab";
  bool overview = false;
  ChannelLimits limits;   // --overview only
  std::string startedAt;  // local YYYY-MM-DDTHH:MM:SS of slot 0; --overview only
};

CLI::App* AddChartCommand(CLI::App& app, ChartOptions& options);
int RunChart(const ChartOptions& options);

}  // namespace zv::cli
