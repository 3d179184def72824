#include "cli/chart_overview_options.h"

#include "cli/degree_option.h"
#include "cli/start_time_option.h"
#include "samples/civil_time.h"

namespace zv::cli {

namespace {

constexpr char kOverviewHelp[] =
    "Draw every reading on one chart instead of the window's page of 100: time along x (date "
    "and time with --started-at, else the time since the start, from the logger's interval or "
    "the export's), temperature up y; with more readings than pixel columns each column spans "
    "its lowest and highest reading, so no spike is lost.";

constexpr char kLimitHelp[] =
    "degrees from -55 to 125 (8, -2,5 or 7.25): drawn as a dashed line, the readings beyond it "
    "on a light band. --overview only.";

}  // namespace

void AddOverviewOptions(CLI::App& chart, ChartOptions& options, const WindowChartOptions& window) {
  auto* overview = chart.add_flag("--overview", options.overview, kOverviewHelp);
  overview->excludes(window.position)->excludes(window.fineRows)->excludes(window.fineColumns);
  const CLI::Validator limit(CheckLimitDegrees, "DEGREES");
  chart.add_option("--low", options.low, std::string("Low limit: ") + kLimitHelp)
      ->check(limit)
      ->needs(overview);
  chart.add_option("--high", options.high, std::string("High limit: ") + kLimitHelp)
      ->check(limit)
      ->needs(overview);
  chart
      .add_option("--started-at", options.startedAt,
                  std::string(kStartTimeMeaning) +
                      " The time axis then shows the time of day and "
                      "the date. --overview only.")
      ->check(CLI::Validator(CheckStartTime, kStartTimeForm))
      ->needs(overview);
  chart.callback([&options] {
    int16_t low = 0;
    int16_t high = 0;
    if (ParseLimitDegrees(options.low, low) && ParseLimitDegrees(options.high, high) &&
        low >= high) {
      throw CLI::ValidationError(
          "--low", "must be below --high (" + options.low + " is not below " + options.high + ")");
    }
  });
}

OverviewInputs OverviewInputsFor(const ChartOptions& options, const ChannelBoxes& boxes,
                                 const SampleBuffer& samples, uint8_t channelMode,
                                 uint32_t intervalSeconds) {
  OverviewInputs in;
  in.samples = &samples;
  in.channelMode = channelMode;
  in.showA = boxes.aChecked;
  in.showB = boxes.bChecked;
  in.hasLow = ParseLimitDegrees(options.low, in.low);
  in.hasHigh = ParseLimitDegrees(options.high, in.high);
  in.intervalSeconds = intervalSeconds;
  in.hasStart = !options.startedAt.empty() &&
                ParseStartTime(options.startedAt, in.start) == StartTimeError::None;
  return in;
}

}  // namespace zv::cli
