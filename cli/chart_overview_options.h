// The options of 'chart --overview': the flag, the limits and the start, the rules that tie
// them to it, and the overview's inputs they make.
#pragma once

#include <CLI/CLI.hpp>

#include "chart/chart_view.h"
#include "chart/overview.h"
#include "cli/chart_command.h"

namespace zv::cli {

// The window chart's own options, which --overview excludes.
struct WindowChartOptions {
  CLI::Option* position;
  CLI::Option* fineRows;
  CLI::Option* fineColumns;
};

// Adds --overview, --low, --high and --started-at; a limit out of the sensor's range, a low
// limit not below the high one, or an overview option without --overview is a usage error,
// found before anything is sent.
void AddOverviewOptions(CLI::App& chart, ChartOptions& options, const WindowChartOptions& window);

// The overview of `recording` as the options ask, its start the one given or else estimated.
OverviewInputs OverviewInputsFor(const ChartOptions& options, const ChannelBoxes& boxes,
                                 const Recording& recording);

}  // namespace zv::cli
