#include "cli/read_command.h"

#include "cli/exit_codes.h"
#include "cli/link_steps.h"
#include "cli/output_file.h"
#include "cli/port_option.h"
#include "cli/process_guard.h"
#include "cli/read_formats.h"
#include "cli/start_time_option.h"
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
    "json: {\"info\": (as info --json), \"interval_s\", \"byte_count\", \"slot_count\" "
    "(complete slots, as the program counts them), \"readings\": {\"a\": [...], \"b\": [...]}, "
    "\"partial_slot\": null or {\"slot\", \"a\"}}. "
    "CSV and JSON hold the readings the text export holds: with two channels and an odd number "
    "of readings the last slot has its A reading only (the CSV's last row with b empty, the "
    "JSON's partial_slot); an odd last byte belongs to no reading in any format.";

const std::string kStartedAtHelp =
    std::string("With --format csv: ") + kStartTimeMeaning + " Adds a time column.";

constexpr char kCsvDialectHelp[] =
    "With --format csv: rfc4180 (the default, as described under --format) or excel-pl, what "
    "a Polish-locale spreadsheet opens without an import wizard: the same rows with ';' "
    "between fields, a decimal comma in the readings, CRLF line ends, UTF-8 with a byte-order "
    "mark, the time column as 2026-12-01 08:00:00, and its offset in a column of its own as "
    "UTC+01:00, which a spreadsheet keeps as text (a cell that starts with + or - would be a "
    "formula or a time). rfc4180 keeps the offset inside its time cell "
    "(2026-12-01T08:00:00+01:00), which no spreadsheet evaluates. An offset with seconds (a "
    "local mean time before 1972, a TZ rule) is written with them: +00:19:32.";

ReadFormat FormatNamed(const std::string& name) {
  if (name == "csv") return ReadFormat::Csv;
  if (name == "json") return ReadFormat::Json;
  return ReadFormat::Text;
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
                        ->check(CLI::Validator(CheckStartTime, kStartTimeForm));
  auto* dialect = read->add_option("--csv-dialect", options.csvDialect, kCsvDialectHelp)
                      ->check(CLI::IsMember({"rfc4180", "excel-pl"}))
                      ->capture_default_str();
  read->add_flag("--summary", options.summaryOnly,
                 "Write no file: print only the summary, on standard output, for a script")
      ->excludes(output)
      ->excludes(format)
      ->excludes(startedAt)
      ->excludes(dialect);
  read->callback([&options, output, dialect] {
    if (!options.summaryOnly && output->count() == 0) {
      throw CLI::RequiredError("--output (or --summary)");
    }
    if (!options.startedAt.empty() && options.format != "csv") {
      throw CLI::ValidationError("--started-at", "applies to --format csv only");
    }
    if (dialect->count() != 0 && options.format != "csv") {
      throw CLI::ValidationError("--csv-dialect", "applies to --format csv only");
    }
  });
  return read;
}

int RunRead(const ReadOptions& options) {
  // With the file on stdout, or only the summary there, the result messages move to stderr.
  const bool stdoutTaken = options.summaryOnly || options.output == "-";
  if (stdoutTaken && RefuseClosedStdout("read")) return kExitFileNotWritten;
  std::string port;
  if (const int code = ResolvePort(options.port, port); code != kExitOk) return code;
  TerminalUi ui(stdoutTaken ? stderr : stdout);
  CsvOptions csv;
  csv.hasStart = !options.startedAt.empty() &&
                 ParseStartTime(options.startedAt, csv.start) == StartTimeError::None;
  if (options.csvDialect == "excel-pl") csv.dialect = CsvDialect::ExcelPolish;
  // The file is created (as a temporary beside the target) before the download, so a folder
  // that cannot take it fails at once, not after the transfer.
  OutputFile file;
  if (!options.summaryOnly && !file.Open(options.output.c_str())) {
    return RefuseOutput(ui, options.output.c_str(), file);
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
