#include "cli/report_command.h"

#include <cstdio>
#include <ctime>

#include "base/info_tab.h"
#include "cli/download_keeping.h"
#include "cli/exit_codes.h"
#include "cli/limit_options.h"
#include "cli/output_file.h"
#include "cli/picture_output.h"
#include "cli/process_guard.h"
#include "cli/report_options.h"
#include "cli/report_remake.h"
#include "cli/start_time_option.h"
#include "picture/picture.h"
#include "picture/picture_cairo.h"
#include "report/report_json.h"
#include "report/report_page.h"
#include "report/report_request_json.h"
#include "report/report_texts.h"
#include "zv_version.h"

namespace zv::cli {

namespace {

constexpr char kReportHelp[] =
    "Write the record of a recording, from a logger (connect, download, disconnect) or an "
    "export file: one A4 page (more when needed) with the logger, the recording's span, per "
    "channel the minimum and maximum with their times, the mean, the standard deviation and "
    "the mean kinetic temperature, the alarm limits with the excursions and the verdict, a "
    "chart of the whole recording and a line to sign; or its figures as JSON.";

constexpr char kLimitMeaning[] = "a reading beyond it is an excursion";

void AddReportLimits(CLI::App& report, ReportOptions& options) {
  AddLimitOptions(report, options.limits, kLimitMeaning);
  report
      .add_option_function<std::string>(
          "--activation-energy",
          [&options](const std::string& text) {
            if (!ParseActivationEnergy(text, options.activationEnergy)) {
              throw CLI::ValidationError("--activation-energy", CheckActivationEnergy(text));
            }
          },
          "Activation energy of the mean kinetic temperature in kJ/mol, from 1 to 1000 "
          "(default 83.144)")
      ->type_name("KJ_PER_MOL");
  report.callback([&options] { CheckLimitPairs(options.limits); });
}

ReportRequest RequestFor(const ReportOptions& options, const Recording& recording) {
  const uint8_t channelMode = recording.logger.channelMode;
  ReportRequest request;
  request.title = options.title;
  request.language = options.language;
  request.showA = options.channels.a;
  request.showB = options.channels.b;
  WarnWhenNoChannelB(options.channels, channelMode, "report", "shown");
  if (HasChannelBLimits(options.limits) && channelMode != 2) {
    std::fputs(
        "zorvant-cli report: a one-channel logger has no channel B; its limits are not used\n",
        stderr);
  }
  request.limits = options.limits;
  request.start = StartOf(options.startedAt, recording, request.startEstimated);
  request.recording = recording.identity;
  request.activationEnergy = options.activationEnergy * 1000;
  request.sourceKind = recording.source.kind;
  request.source = recording.source.name;
  StartTime local;
  local.localZone = true;
  request.madeAtUtc = static_cast<int64_t>(std::time(nullptr));
  request.madeAtOffset = OffsetAt(local, request.madeAtUtc);
  request.version = kZorvantVersion;
  return request;
}

}  // namespace

CLI::App* AddReportCommand(CLI::App& app, ReportOptions& options) {
  auto* report = app.add_subcommand("report", kReportHelp);
  AddSourceOptions(*report, options.source);
  AddArchiveOptions(*report, options.archive);
  AddReportPageOptions(*report, options);
  return report;
}

void AddReportPageOptions(CLI::App& report, ReportOptions& options) {
  report
      .add_option("--output,-o", options.output,
                  "The report: .pdf (A4, fonts embedded), .svg, or .json for its figures. "
                  "Replaced atomically, only once written.")
      ->required()
      ->check(CLI::Validator(CheckReportOutput, "FILE"));
  AddStartTimeOption(report, options.startedAt,
                     std::string(kStartTimeMeaning) +
                         " Without it the report gives sample numbers and the time since the "
                         "first reading, or, for a logger that was still measuring, times "
                         "counted back from the download, marked as estimated.");
  AddReportLimits(report, options);
  AddChannelsOption(report, options.channels,
                    "Channels reported: a, b or ab (default); a one-channel logger reports A.");
  report
      .add_option("--title", options.title,
                  "The report's title (default: the language's own); at most two lines of "
                  "the page")
      ->check(CLI::Validator(CheckReportTitle, "TEXT"));
  report
      .add_option_function<std::string>(
          "--lang",
          [&options](const std::string& code) {
            options.language = code == "en" ? LabelLanguage::English : LabelLanguage::Polish;
          },
          "Language of the report: pl (default, as the program) or en")
      ->check(CLI::IsMember({"pl", "en"}));
}

int RunReport(const ReportOptions& options) {
  RecordingSource source;
  if (const int code = ResolveSource("report", options.source, source); code != kExitOk) {
    return code;
  }
  const ReportFormat format = ReportFormatOf(options.output);
  if (format == ReportFormat::Pdf) {
    if (const int code = CheckCanDraw(PictureFormat::Pdf, "report"); code != kExitOk) return code;
  }
  TerminalUi ui(stdout);
  OutputFile file;
  if (!file.Open(options.output.c_str())) return RefuseOutput(ui, options.output.c_str(), file);
  Recording recording;
  if (const int loaded = LoadRecording("report", source, options.archive, ui, recording);
      loaded != kExitOk) {
    return loaded;
  }
  const ReportFacts facts =
      GatherReportFacts(*recording.samples, recording.logger, RequestFor(options, recording));
  return FinishWrittenFile(
      FinishPictureFile(WriteReport(facts, format, file),
                        "zorvant-cli report: cairo could not draw the report", file, ui),
      recording.archiveCode, "report", options.archive, options.output,
      format == ReportFormat::Json  ? "json"
      : format == ReportFormat::Pdf ? "pdf"
                                    : "svg",
      recording.identity.sha256);
}

}  // namespace zv::cli
