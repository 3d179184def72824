// zorvant-cli chart: the chart window's picture as an SVG file, from a logger or an export.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>

namespace zv::cli {

struct ChartOptions {
  std::string port;
  std::string fromExport;
  std::string output;
  uint32_t position = 0;
  bool fineRows = false;
  bool fineColumns = false;
  std::string channels = "ab";
};

CLI::App* AddChartCommand(CLI::App& app, ChartOptions& options);
int RunChart(const ChartOptions& options);

}  // namespace zv::cli
