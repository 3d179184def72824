#include "cli/read_command.h"

#include "cli/exit_codes.h"
#include "cli/link_steps.h"
#include "cli/output_file.h"
#include "cli/port_option.h"
#include "cli/read_formats.h"
#include "link/messages.h"
#include "samples/civil_time.h"
#include "samples/export_messages.h"

namespace zv::cli {

namespace {

constexpr char kFormatHelp[] =
    "text: the program's export (Windows-1250, CRLF, decimal comma), byte for byte. "
    "csv: RFC 4180, UTF-8, comma-separated, dot decimal; a header row, then one row per slot: "
    "index, elapsed_s (slot x the sampling interval; empty when the logger's interval index "
    "has no table entry), a_celsius, and b_celsius with two channels. "
    "json: {\"info\": (as info --json), \"interval_s\", \"byte_count\", \"slot_count\", "
    "\"readings\": {\"a\": [...], \"b\": [...]}}. "
    "CSV and JSON hold the readings the text export holds: with two channels and an odd number "
    "of readings the last slot has its A reading only (b empty, or one element fewer); an odd "
    "last byte belongs to no reading in any format.";

constexpr char kStartedAtHelp[] =
    "With --format csv: the local date and time of the first sample, as 2026-12-01T08:00:00; "
    "adds a time column (slot 0 at this time, then one interval a slot). The logger keeps no "
    "clock: this is your statement of when the recording started, not something it reports.";

ReadFormat FormatNamed(const std::string& name) {
  if (name == "csv") return ReadFormat::Csv;
  if (name == "json") return ReadFormat::Json;
  return ReadFormat::Text;
}

std::string CheckStartTime(const std::string& text) {
  int64_t seconds = 0;
  if (ParseLocalTime(text, seconds)) return {};
  return "expected a local date and time YYYY-MM-DDTHH:MM:SS between 1900 and 9989, got " + text;
}

}  // namespace

CLI::App* AddReadCommand(CLI::App& app, ReadOptions& options) {
  auto* read = app.add_subcommand(
      "read",
      "Connect, download the sample memory, write it (text export, CSV or JSON), disconnect. "
      "A per-channel summary (count, min, max with their slots, mean) follows on stderr.");
  read->add_option("--port", options.port, kPortHelp)->required();
  auto* output = read->add_option(
      "--output,-o", options.output,
      "Output file; '-' for standard output. Written only after a successful download, "
      "replacing the file atomically.");
  auto* format = read->add_option("--format", options.format, kFormatHelp)
                     ->check(CLI::IsMember({"text", "csv", "json"}))
                     ->capture_default_str();
  auto* startedAt = read->add_option("--started-at", options.startedAt, kStartedAtHelp)
                        ->check(CLI::Validator(CheckStartTime, "YYYY-MM-DDTHH:MM:SS"));
  read->add_flag("--summary", options.summaryOnly,
                 "Write no file: print only the summary, on standard output, for a script")
      ->excludes(output)
      ->excludes(format)
      ->excludes(startedAt);
  read->callback([&options, output] {
    if (!options.summaryOnly && output->count() == 0) {
      throw CLI::RequiredError("--output (or --summary)");
    }
    if (!options.startedAt.empty() && options.format != "csv") {
      throw CLI::ValidationError("--started-at", "applies to --format csv only");
    }
  });
  return read;
}

int RunRead(const ReadOptions& options) {
  std::string port;
  if (const int code = ResolvePort(options.port, port); code != kExitOk) return code;
  // With the file on stdout, or only the summary there, the result messages move to stderr.
  const bool stdoutTaken = options.summaryOnly || options.output == "-";
  TerminalUi ui(stdoutTaken ? stderr : stdout);
  CsvOptions csv;
  csv.hasStart = ParseLocalTime(options.startedAt, csv.startSeconds);
  // The file is created (as a temporary beside the target) before the download, so a folder
  // that cannot take it fails at once, not after the transfer.
  OutputFile file;
  if (!options.summaryOnly && !file.Open(options.output.c_str())) {
    ui.ShowMessage(msg::kCannotSave.c_str(), MessageIcon::Exclamation);
    return kExitFileNotWritten;
  }
  LoggerInfo info;
  const SampleBuffer* samples = nullptr;
  const int downloaded = DownloadFrom(port.c_str(), ui, info, samples);
  if (downloaded != kExitOk) return downloaded;

  if (options.summaryOnly) {
    PrintSummary(stdout, *samples, info.channelMode);
    return kExitOk;
  }
  WriteReadFormat(FormatNamed(options.format), *samples, info, csv, file);
  if (!file.Commit()) {
    ui.ShowMessage(msg::kCannotSave.c_str(), MessageIcon::Exclamation);
    return kExitFileNotWritten;
  }
  ui.ShowMessage(msg::kSaved.c_str(), MessageIcon::Information);
  PrintSummary(stderr, *samples, info.channelMode);
  return kExitOk;
}

}  // namespace zv::cli
