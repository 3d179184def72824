#include "cli/chart_command.h"

#include <cstdio>

#include "chart/chart_paint.h"
#include "chart/chart_svg.h"
#include "chart/chart_view.h"
#include "cli/exit_codes.h"
#include "cli/link_steps.h"
#include "cli/output_file.h"
#include "cli/port_option.h"
#include "link/messages.h"
#include "samples/export_messages.h"
#include "samples/export_reader.h"

namespace zv::cli {

namespace {

// A full memory exports as about 190 KB; anything much larger is not an export of ours.
constexpr std::size_t kExportFileCapacity = 256 * 1024;

// Fixed storage, as in the program: the file read, the samples it holds, the drawing list.
char g_exportFile[kExportFileCapacity];
SampleBuffer g_exportSamples;
ChartPaint g_paint;

constexpr char kFromExportHelp[] =
    "Export file written by this program or 'zorvant-cli read', instead of a logger. A text "
    "export keeps each reading's text, not its 16-bit word: the word is rebuilt with its top "
    "four bits following the sign of the integer part. A reading between -1 and 0 is exported "
    "without a minus sign and so reads back as positive: from -0.5 to -0.9375 the chart shows "
    "+1 where the logger's word gives -1. An odd last byte is not exported.";

int ExportUnreadable(const char* path, const char* why, uint32_t line) {
  if (line != 0) {
    std::fprintf(stderr, "zorvant-cli chart: %s, line %u: %s\n", path, line, why);
  } else {
    std::fprintf(stderr, "zorvant-cli chart: %s: %s\n", path, why);
  }
  return kExitBadExport;
}

int LoadExport(const char* path, const SampleBuffer*& samples, uint8_t& channelMode) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return ExportUnreadable(path, "cannot be opened", 0);
  const std::size_t length = std::fread(g_exportFile, 1, sizeof g_exportFile, file);
  const bool whole = std::feof(file) != 0 && std::ferror(file) == 0;
  const bool tooLarge = length == sizeof g_exportFile && std::fgetc(file) != EOF;
  std::fclose(file);
  if (tooLarge) return ExportUnreadable(path, "too large to be an export", 0);
  if (!whole) return ExportUnreadable(path, "cannot be read", 0);

  const ExportReadResult result =
      ReadExportFile(g_exportFile, length, g_exportSamples, channelMode);
  switch (result.status) {
    case ExportReadStatus::Ok:
      samples = &g_exportSamples;
      return kExitOk;
    case ExportReadStatus::NotAnExport:
      return ExportUnreadable(path, "not an export of this program (header or channels)", 0);
    case ExportReadStatus::BadReading:
      return ExportUnreadable(path, "not a reading, or not where the export puts one", result.line);
    case ExportReadStatus::TooManyReadings:
      return ExportUnreadable(path, "more readings than the logger's memory holds", result.line);
  }
  return kExitBadExport;
}

ChartInputs InputsFor(const ChartOptions& options, const SampleBuffer& samples, uint8_t mode) {
  const bool wantA = options.channels.find('a') != std::string::npos;
  const bool wantB = options.channels.find('b') != std::string::npos;
  const ChannelBoxes boxes = ChooseChannels(mode, wantA, wantB);
  // Only when nothing asked for is drawn: B alone from a one-channel logger.
  if (!(wantA && boxes.aChecked) && !(wantB && boxes.bChecked)) {
    std::fputs("zorvant-cli chart: a one-channel logger has no channel B; A is drawn\n", stderr);
  }
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

}  // namespace

CLI::App* AddChartCommand(CLI::App& app, ChartOptions& options) {
  auto* chart = app.add_subcommand(
      "chart",
      "Draw the chart window's picture as SVG: the same lines and labels at the same pixels, "
      "for the samples of a logger (connect, download, disconnect) or of an export file.");
  auto* port = chart->add_option("--port", options.port, kPortHelp);
  auto* from = chart->add_option("--from-export", options.fromExport, kFromExportHelp);
  port->excludes(from);
  chart
      ->add_option("--output,-o", options.output,
                   "SVG file; '-' for standard output. Replaced atomically, only once drawn.")
      ->required();
  chart->add_option("--position", options.position,
                    "Scroll position: the number of the first sample shown (default 0). Past "
                    "the last sample the chart shows its scales and index labels, no trace.");
  chart->add_flag("--fine-rows", options.fineRows, "Draw the fine horizontal grid");
  chart->add_flag("--fine-columns", options.fineColumns, "Draw the fine vertical grid");
  chart
      ->add_option("--channels", options.channels,
                   "Traces: a, b or ab (default). As in the window, with neither box A shows, "
                   "and a one-channel logger draws A whatever is asked.")
      ->check(CLI::IsMember({"a", "b", "ab"}));
  return chart;
}

int RunChart(const ChartOptions& options) {
  if (options.port.empty() == options.fromExport.empty()) {
    std::fputs("zorvant-cli chart: give either --port or --from-export\n", stderr);
    return kExitUsage;
  }
  std::string port;
  if (!options.port.empty()) {
    if (const int code = ResolvePort(options.port, port); code != kExitOk) return code;
  }
  TerminalUi ui(options.output == "-" ? stderr : stdout);
  OutputFile file;
  if (!file.Open(options.output.c_str())) {
    ui.ShowMessage(msg::kCannotSave.c_str(), MessageIcon::Exclamation);
    return kExitFileNotWritten;
  }
  const SampleBuffer* samples = nullptr;
  uint8_t mode = 1;
  int loaded = kExitOk;
  if (!port.empty()) {
    LoggerInfo info;
    loaded = DownloadFrom(port.c_str(), ui, info, samples);
    mode = info.channelMode;
  } else {
    loaded = LoadExport(options.fromExport.c_str(), samples, mode);
  }
  if (loaded != kExitOk) return loaded;

  BuildChart(InputsFor(options, *samples, mode), g_paint);
  WriteChartSvg(g_paint, file);
  if (!file.Commit()) {
    ui.ShowMessage(msg::kCannotSave.c_str(), MessageIcon::Exclamation);
    return kExitFileNotWritten;
  }
  return kExitOk;
}

}  // namespace zv::cli
