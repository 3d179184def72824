#include "cli/chart_command.h"

#include <cstdio>

#include "chart/chart_paint.h"
#include "chart/chart_view.h"
#include "chart/overview.h"
#include "cli/chart_overview_options.h"
#include "cli/download_keeping.h"
#include "cli/exit_codes.h"
#include "cli/output_file.h"
#include "cli/picture_output.h"
#include "cli/process_guard.h"
#include "picture/picture_cairo.h"

namespace zv::cli {

namespace {

// What a PDF calls itself.
constexpr char kChartTitle[] = "Zorvant_2: wykres";
constexpr char kOverviewTitle[] = "Zorvant_2: przebieg całego zapisu";

// Fixed storage, as in the program: the drawing lists.
ChartPicture g_chartPicture;
OverviewPicture g_overview;

ChannelBoxes ChannelsFor(const ChartOptions& options, uint8_t mode) {
  WarnWhenNoChannelB(options.channels, mode, "chart", "drawn");
  return ChooseChannels(mode, options.channels.a, options.channels.b);
}

ChartInputs InputsFor(const ChartOptions& options, const SampleBuffer& samples, uint8_t mode) {
  const ChannelBoxes boxes = ChannelsFor(options, mode);
  ChartInputs in;
  in.samples = &samples;
  in.channelMode = mode;
  in.position = options.position;
  in.fineRows = options.fineRows;
  in.fineColumns = options.fineColumns;
  in.showA = boxes.aChecked;
  in.showB = boxes.bChecked;
  return in;
}

// The recording drawn as asked, in the output's format; false when the player failed.
bool Draw(const ChartOptions& options, PictureFormat format, const Recording& recording,
          ByteSink& sink) {
  if (options.overview) {
    const ChannelBoxes boxes = ChannelsFor(options, recording.channelMode);
    BuildOverviewPage(OverviewInputsFor(options, boxes, recording), g_overview);
    return WritePicture(format, g_overview.View(), sink, kOverviewTitle);
  }
  const ChartInputs in = InputsFor(options, *recording.samples, recording.channelMode);
  if (format == PictureFormat::Svg) {
    WriteChartSvg(in, sink);  // straight to the file, allocating nothing
    return true;
  }
  BuildChartPicture(in, g_chartPicture);
  return WritePicture(format, g_chartPicture.View(), sink, kChartTitle);
}

}  // namespace

CLI::App* AddChartCommand(CLI::App& app, ChartOptions& options) {
  auto* chart = app.add_subcommand(
      "chart",
      "Draw the chart window's picture (the same lines and labels at the same pixels), or with "
      "--overview every reading on one chart, for the samples of a logger (connect, download, "
      "disconnect) or of an export file. The output's extension chooses the format: .png, "
      ".pdf (A4), else SVG.");
  AddSourceOptions(*chart, options.source);
  AddArchiveOptions(*chart, options.archive);
  AddChartPageOptions(*chart, options);
  return chart;
}

void AddChartPageOptions(CLI::App& chart, ChartOptions& options) {
  chart
      .add_option("--output,-o", options.output,
                  "SVG, PNG or PDF file, by its extension; '-' for SVG on standard output. "
                  "Replaced atomically, only once drawn.")
      ->required();
  auto* position =
      chart.add_option("--position", options.position,
                       "Scroll position: the number of the first sample shown (default 0); it "
                       "must be below the number of samples (exit 2 otherwise, after the "
                       "download).");
  auto* fineRows = chart.add_flag("--fine-rows", options.fineRows, "Draw the fine horizontal grid");
  auto* fineColumns =
      chart.add_flag("--fine-columns", options.fineColumns, "Draw the fine vertical grid");
  AddChannelsOption(chart, options.channels,
                    "Traces: a, b or ab (default). As in the window, with neither box A shows, "
                    "and a one-channel logger draws A whatever is asked.");
  AddOverviewOptions(chart, options, {position, fineRows, fineColumns});
}

int RunChart(const ChartOptions& options) {
  RecordingSource source;
  if (const int code = ResolveSource("chart", options.source, source); code != kExitOk) {
    return code;
  }
  if (options.output == "-" && RefuseClosedStdout("chart")) return kExitFileNotWritten;
  const PictureFormat format = FormatOfOutput(options.output);
  if (const int code = CheckCanDraw(format, "chart"); code != kExitOk) return code;
  TerminalUi ui(options.output == "-" ? stderr : stdout);
  OutputFile file;
  if (!file.Open(options.output.c_str())) return RefuseOutput(ui, options.output.c_str(), file);
  Recording recording;
  if (const int loaded = LoadRecording("chart", source, options.archive, ui, recording);
      loaded != kExitOk) {
    return loaded;
  }
  // Position 0 always draws (the scales alone when there are no samples); any other must show
  // at least one sample.
  const uint32_t count = ChartSampleCount(*recording.samples, recording.channelMode);
  if (!options.overview && options.position != 0 && options.position >= count) {
    std::fprintf(stderr, "zorvant-cli chart: --position %u is past the last sample; %s\n",
                 options.position,
                 count == 0 ? "there are no samples, so only 0 is valid"
                            : ("valid: 0.." + std::to_string(count - 1)).c_str());
    return kExitUsage;
  }

  const bool drawn = Draw(options, format, recording, file);
  ReleasePictureCaches();
  return FinishWrittenFile(
      FinishPictureFile(drawn, "zorvant-cli chart: cairo could not draw the picture", file, ui),
      recording.archiveCode, "chart", options.archive, options.output,
      format == PictureFormat::Png   ? "png"
      : format == PictureFormat::Pdf ? "pdf"
                                     : "svg",
      recording.identity.sha256);
}

}  // namespace zv::cli
