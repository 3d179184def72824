#include "cli/read_command.h"

#include <initializer_list>
#include <utility>
#include <vector>

#include "cli/download_keeping.h"
#include "cli/exit_codes.h"
#include "cli/output_file.h"
#include "cli/port_option.h"
#include "cli/process_guard.h"
#include "cli/read_formats.h"
#include "cli/recording_source.h"
#include "cli/start_time_option.h"
#include "link/messages.h"
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

// An option whose words name the values of an enum: checked against the words, stored as the
// value, its default shown in the help.
template <typename Enum>
CLI::Option* AddWordOption(CLI::App& command, const std::string& name, Enum& value,
                           std::initializer_list<std::pair<const char*, Enum>> words,
                           const char* byDefault, const char* help) {
  std::vector<std::pair<std::string, Enum>> table(words.begin(), words.end());
  std::vector<std::string> names;
  for (const auto& [word, unused] : table) names.push_back(word);
  return command
      .add_option_function<std::string>(
          name,
          [&value, table](const std::string& word) {
            for (const auto& [known, meaning] : table) {
              if (known == word) value = meaning;
            }
          },
          help)
      ->check(CLI::IsMember(names))
      ->default_str(byDefault);
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
  auto* format = AddWordOption<ReadFormat>(
      *read, "--format", options.format,
      {{"text", ReadFormat::Text}, {"csv", ReadFormat::Csv}, {"json", ReadFormat::Json}}, "text",
      kFormatHelp);
  auto* startedAt = AddStartTimeOption(*read, options.startedAt, kStartedAtHelp);
  auto* dialect = AddWordOption<CsvDialect>(
      *read, "--csv-dialect", options.csvDialect,
      {{"rfc4180", CsvDialect::Rfc4180}, {"excel-pl", CsvDialect::ExcelPolish}}, "rfc4180",
      kCsvDialectHelp);
  AddArchiveOptions(*read, options.archive);
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
    if (options.startedAt && options.format != ReadFormat::Csv) {
      throw CLI::ValidationError("--started-at", "applies to --format csv only");
    }
    if (dialect->count() != 0 && options.format != ReadFormat::Csv) {
      throw CLI::ValidationError("--csv-dialect", "applies to --format csv only");
    }
  });
  return read;
}

int RunRead(const ReadOptions& options) {
  // With the file on stdout, or only the summary there, the result messages move to stderr.
  const bool stdoutTaken = options.summaryOnly || options.output == "-";
  if (stdoutTaken && RefuseClosedStdout("read")) return kExitFileNotWritten;
  RecordingSource source;
  if (const int code = ResolvePortSource(options.port, source); code != kExitOk) return code;
  TerminalUi ui(stdoutTaken ? stderr : stdout);
  CsvOptions csv;
  csv.dialect = options.csvDialect;
  // The file is created (as a temporary beside the target) before the download, so a folder
  // that cannot take it fails at once, not after the transfer.
  OutputFile file;
  if (!options.summaryOnly && !file.Open(options.output.c_str())) {
    return RefuseOutput(ui, options.output.c_str(), file);
  }
  Recording recording;
  if (const int loaded = LoadRecording("read", source, options.archive, ui, recording);
      loaded != kExitOk) {
    return loaded;
  }
  // Without --started-at, a logger that was still measuring gives its start counted back from
  // the download; stderr says the times are estimated.
  bool estimated = false;
  const std::optional<StartTime> start = StartOf(options.startedAt, recording, estimated);
  csv.hasStart = options.format == ReadFormat::Csv && start.has_value();
  if (csv.hasStart) csv.start = *start;
  if (csv.hasStart && estimated) {
    std::fputs(
        "zorvant-cli read: the logger keeps no clock and was measuring: the times are "
        "estimated from the download time\n",
        stderr);
  }
  const SampleBuffer& samples = *recording.samples;
  if (options.summaryOnly) {
    PrintSummary(stdout, samples, recording.channelMode);
    return recording.archiveCode;
  }
  WriteReadFormat(options.format, samples, recording.info, csv, file);
  if (!file.Commit()) {
    ui.ShowMessage(msg::kCannotSave.c_str(), MessageIcon::Exclamation);
    return kExitFileNotWritten;
  }
  ui.ShowMessage(msg::kSaved.c_str(), MessageIcon::Information);
  PrintSummary(stderr, samples, recording.channelMode);
  const char* format = options.format == ReadFormat::Csv    ? "csv"
                       : options.format == ReadFormat::Json ? "json"
                                                            : "txt";
  return FinishWrittenFile(kExitOk, recording.archiveCode, "read", options.archive, options.output,
                           format, recording.identity.sha256);
}

}  // namespace zv::cli
