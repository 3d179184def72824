#include "cli/chart_overview_options.h"

#include "cli/limit_options.h"
#include "cli/start_time_option.h"

namespace zv::cli {

namespace {

constexpr char kOverviewHelp[] =
    "Draw every reading on one chart instead of the window's page of 100: time along x (date "
    "and time with --started-at, else the time since the start, from the logger's interval or "
    "the export's), temperature up y; with more readings than pixel columns each column spans "
    "its lowest and highest reading, so no spike is lost.";

constexpr char kLimitMeaning[] =
    "drawn as a dashed line, the readings beyond it on a light band (each channel's own in its "
    "colour when they differ); --overview only";

}  // namespace

void AddOverviewOptions(CLI::App& chart, ChartOptions& options, const WindowChartOptions& window) {
  auto* overview = chart.add_flag("--overview", options.overview, kOverviewHelp);
  overview->excludes(window.position)->excludes(window.fineRows)->excludes(window.fineColumns);
  for (CLI::Option* limit : AddLimitOptions(chart, options.limits, kLimitMeaning)) {
    limit->needs(overview);
  }
  AddStartTimeOption(chart, options.startedAt,
                     std::string(kStartTimeMeaning) +
                         " The time axis then shows the time of day and the date. --overview "
                         "only.")
      ->needs(overview);
  chart.callback([&options] { CheckLimitPairs(options.limits); });
}

OverviewInputs OverviewInputsFor(const ChartOptions& options, const ChannelBoxes& boxes,
                                 const Recording& recording) {
  OverviewInputs in;
  in.samples = recording.samples;
  in.channelMode = recording.channelMode;
  in.showA = boxes.aChecked;
  in.showB = boxes.bChecked;
  in.limits = options.limits;
  in.intervalSeconds = recording.intervalSeconds;
  const std::optional<StartTime> start = StartOf(options.startedAt, recording, in.startEstimated);
  in.hasStart = start.has_value();
  if (in.hasStart) in.start = *start;
  return in;
}

}  // namespace zv::cli
