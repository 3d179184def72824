#include "cli/archive_command.h"

#include <cstdio>
#include <exception>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "archive/keep.h"
#include "archive/open_archive.h"
#include "archive/recording_queries.h"
#include "archive/verify.h"
#include "base/safe_text.h"
#include "base/text1250.h"
#include "cli/archive_access.h"
#include "cli/download_keeping.h"
#include "cli/exit_codes.h"
#include "cli/output_file.h"
#include "cli/output_format.h"
#include "cli/read_formats.h"
#include "cli/terminal_ui.h"
#include "samples/export_messages.h"

namespace zv::cli {

namespace {

using archive::ArchiveStatus;
using archive::ArchiveStore;
using nlohmann::json;

json Optional(const std::optional<uint32_t>& value) {
  return value ? json(*value) : json(nullptr);
}

// The span from the first reading to the last; unknown without an interval.
std::optional<uint32_t> SpanSeconds(const archive::RecordingFacts& facts) {
  if (!facts.intervalSeconds) return std::nullopt;
  return facts.readings == 0 ? 0u : (facts.readings - 1) * *facts.intervalSeconds;
}

std::string SpanText(const std::optional<uint32_t>& span) {
  if (!span) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%u:%02u:%02u", *span / 3600, *span / 60 % 60, *span % 60);
  return text;
}

json FactsJson(const archive::RecordingFacts& facts) {
  return {{"origin", archive::OriginName(facts.origin)},
          {"logger_id", facts.loggerId},
          {"channel_mode", facts.channelMode},
          {"byte_count", facts.byteCount},
          {"readings", facts.readings},
          {"interval_s", Optional(facts.intervalSeconds)},
          {"span_s", Optional(SpanSeconds(facts))}};
}

json ListingJson(const archive::RecordingListing& listing) {
  json line = FactsJson(listing.facts);
  line["id"] = listing.id;
  line["sha256"] = archive::HexOf(listing.sha256);
  line["kept_at"] = UtcText(listing.keptAtUtc);
  line["source"] = listing.source;
  return line;
}

json EventJson(const archive::Event& event) {
  // A body that no longer parses is shown as null; verify names it.
  json body = archive::ParseEventBody(event.body);
  if (body.is_discarded()) body = nullptr;
  return {{"seq", event.seq},
          {"kind", archive::KindName(event.columns.kind)},
          {"at", UtcText(event.columns.atUtc)},
          {"recording_id", event.recordingId == 0 ? json(nullptr) : json(event.recordingId)},
          {"source", event.columns.source},
          {"content_sha256", archive::HexOf(event.contentHash)},
          {"chain_sha256", archive::HexOf(event.chainHash)},
          {"body", body}};
}

void PrintJson(const json& document) {
  std::printf("%s\n", document.dump(2, ' ', false, json::error_handler_t::replace).c_str());
}

int Failed(const ArchiveStatus& status) {
  PrintArchiveFailure("archive", status);
  return status.fault == archive::ArchiveFault::NotFound ? kExitArchiveNotFound
                                                         : kExitArchiveUnreadable;
}

// The text padded to `columns` characters: printf's width counts bytes, and a Polish letter
// is two of them in UTF-8.
std::string InColumns(std::string text, std::size_t columns) {
  const std::size_t characters = Utf8Characters(text);
  if (characters < columns) text.append(columns - characters, ' ');
  return text;
}

int List(const ArchiveOptions& options, ArchiveStore& store) {
  archive::RecordingFilter filter;
  if (!options.loggerId.empty()) filter.loggerId = options.loggerId;
  filter.keptSinceUtc = options.sinceUtc;
  std::vector<archive::RecordingListing> listings;
  if (const ArchiveStatus status = store.ListRecordings(filter, listings); !status.ok()) {
    return Failed(status);
  }
  if (options.json) {
    json lines = json::array();
    for (const auto& listing : listings) lines.push_back(ListingJson(listing));
    PrintJson({{"archive", store.Name()}, {"recordings", lines}});
    return kExitOk;
  }
  std::printf("%-6s %-13s %-20s %8s %12s  %-10s %s\n", "ID", "LOGGER", "KEPT (UTC)", "READINGS",
              "SPAN", "ORIGIN", "SOURCE");
  for (const auto& listing : listings) {
    std::printf("%-6lld %s %-20s %8u %12s  %-10s %s\n", static_cast<long long>(listing.id),
                InColumns(Echoed(listing.facts.loggerId), 13).c_str(),
                UtcText(listing.keptAtUtc).c_str(), listing.facts.readings,
                SpanText(SpanSeconds(listing.facts)).c_str(),
                archive::OriginName(listing.facts.origin), Echoed(listing.source).c_str());
  }
  return kExitOk;
}

json ShowJson(const archive::RecordingDetails& details) {
  const archive::Recording& recording = details.recording;
  json shown = FactsJson(recording.facts);
  shown["id"] = recording.id;
  shown["sha256"] = archive::HexOf(recording.sha256);
  shown["readings_sha256"] = archive::HexOf(recording.facts.readingsSha256);
  shown["status_code"] = recording.facts.statusCode ? json(*recording.facts.statusCode) : json();
  shown["info_tab"] = archive::HexOf(recording.infoTab);
  shown["estimated_start"] = nullptr;
  if (const auto start = details.EstimatedStart()) {
    shown["estimated_start"] = {{"first_reading", UtcText(start->firstReadingUtc)},
                                {"uncertainty_s", start->uncertaintySeconds}};
  }
  json events = json::array();
  for (const auto& event : details.events) events.push_back(EventJson(event));
  return {{"recording", shown}, {"events", events}};
}

void PrintShowText(const json& shown) {
  const json& recording = shown["recording"];
  for (const auto& [key, value] : recording.items()) {
    const std::string text = value.is_string() ? value.get<std::string>() : value.dump();
    std::printf("%-16s %s\n", key.c_str(), Echoed(text).c_str());
  }
  for (const auto& event : shown["events"]) {
    std::printf("event %-6s %-12s %s %s\n", event["seq"].dump().c_str(),
                event["kind"].get<std::string>().c_str(), event["at"].get<std::string>().c_str(),
                Echoed(event["source"].get<std::string>()).c_str());
  }
}

int Show(const ArchiveOptions& options, ArchiveStore& store) {
  archive::RecordingDetails details;
  if (const ArchiveStatus status = archive::ShowRecording(store, options.id, details);
      !status.ok()) {
    return Failed(status);
  }
  const json shown = ShowJson(details);
  if (options.json) {
    PrintJson(shown);
  } else {
    PrintShowText(shown);
  }
  return kExitOk;
}

int Log(const ArchiveOptions& options, ArchiveStore& store) {
  archive::EventFilter filter;
  filter.sinceUtc = options.sinceUtc;
  json events = json::array();
  const ArchiveStatus status = store.ScanEvents(filter, [&](const archive::Event& event) {
    if (options.json) {
      events.push_back(EventJson(event));
    } else {
      std::printf("%-6lld %s %-12s %s\n", static_cast<long long>(event.seq),
                  UtcText(event.columns.atUtc).c_str(), archive::KindName(event.columns.kind),
                  Echoed(event.columns.source).c_str());
    }
    return true;
  });
  if (!status.ok()) return Failed(status);
  if (options.json) PrintJson({{"archive", store.Name()}, {"events", events}});
  return kExitOk;
}

// The file the download would have written then, from the bytes kept; an import's own file
// for .txt.
int Export(const ArchiveOptions& options, ArchiveStore& store) {
  archive::Recording recording;
  if (const ArchiveStatus status = store.LoadRecording(options.id, recording); !status.ok()) {
    return Failed(status);
  }
  const OutputFormat format = OutputFormatOf(options.output);
  const bool imported = recording.origin == archive::RecordingOrigin::Imported;
  if (imported && format != OutputFormat::Text) {
    std::fputs("zorvant-cli archive export: an imported recording is exported as its own .txt\n",
               stderr);
    return kExitUsage;
  }
  static LoggerInfo info;
  static SampleBuffer samples;
  if (!imported && !archive::RebuildDownload(recording, info, samples)) {
    std::fputs("zorvant-cli archive export: the recording's bytes do not read back\n", stderr);
    return kExitArchiveUnreadable;
  }
  TerminalUi ui(stderr);
  OutputFile file;
  if (!file.Open(options.output.c_str())) return RefuseOutput(ui, options.output.c_str(), file);
  if (imported) {
    file.Put(reinterpret_cast<const char*>(recording.exportFile.data()),
             recording.exportFile.size());
  } else {
    const ReadFormat written = format == OutputFormat::Csv    ? ReadFormat::Csv
                               : format == OutputFormat::Json ? ReadFormat::Json
                                                              : ReadFormat::Text;
    WriteReadFormat(written, samples, info, CsvOptions{}, file);
  }
  if (!file.Commit()) {
    ui.ShowMessage(msg::kCannotSave.c_str(), MessageIcon::Exclamation);
    return kExitFileNotWritten;
  }
  const char* extension = format == OutputFormat::Csv    ? "csv"
                          : format == OutputFormat::Json ? "json"
                                                         : "txt";
  return RecordFileWrittenInArchive("archive export", options.archive, options.output, extension,
                                    archive::HexOf(recording.sha256));
}

json VerifyJson(const ArchiveStore& store, const archive::VerifyReport& report) {
  json findings = json::array();
  for (const auto& finding : report.findings) {
    findings.push_back(
        {{"recording_id", finding.recordingId == 0 ? json(nullptr) : json(finding.recordingId)},
         {"event_seq", finding.eventSeq == 0 ? json(nullptr) : json(finding.eventSeq)},
         {"text", finding.text}});
  }
  const archive::VerifyFinding* broken = report.FirstBrokenLink();
  return {{"archive", store.Name()},
          {"clean", report.Clean()},
          {"recordings_checked", report.recordings},
          {"events_checked", report.events},
          {"chain_tip", {{"seq", report.tip.seq}, {"sha256", archive::HexOf(report.tip.hash)}}},
          {"findings", findings},
          {"findings_left_out", report.findingsLeftOut},
          {"first_broken_link", broken != nullptr ? json(broken->eventSeq) : json(nullptr)}};
}

void PrintVerifyText(const ArchiveStore& store, const archive::VerifyReport& report) {
  std::printf("%s: %llu recording(s), %llu event(s)\n", Echoed(store.Name()).c_str(),
              static_cast<unsigned long long>(report.recordings),
              static_cast<unsigned long long>(report.events));
  for (const auto& finding : report.findings) {
    std::printf("  %s\n", Echoed(finding.text).c_str());
  }
  if (report.findingsLeftOut != 0) {
    std::printf("  and %llu finding(s) more\n",
                static_cast<unsigned long long>(report.findingsLeftOut));
  }
  if (const archive::VerifyFinding* broken = report.FirstBrokenLink()) {
    std::printf("the first broken link: event %lld\n", static_cast<long long>(broken->eventSeq));
  }
  std::printf("%s\n", report.Clean() ? "every recording and the whole trail verify"
                                     : "the archive does NOT verify");
}

int VerifyArchive(const ArchiveOptions& options, std::unique_ptr<ArchiveStore>& store) {
  archive::VerifyReport report;
  if (const ArchiveStatus status = archive::Verify(*store, report); !status.ok()) {
    return Failed(status);
  }
  if (options.json) {
    PrintJson(VerifyJson(*store, report));
  } else {
    PrintVerifyText(*store, report);
  }
  // The check itself joins the trail when the archive can be written.
  store.reset();
  if (OpenChosenArchive("archive verify", options.archive, archive::OpenMode::ReadWrite, store)) {
    const ArchiveStatus recorded =
        archive::RecordEvent(*store, archive::VerifyDraft(report), archive::AttributionNow());
    if (!recorded.ok()) PrintArchiveFailure("archive verify", recorded);
  }
  return report.Clean() ? kExitOk : kExitArchiveBroken;
}

// The largest file import reads: far above the largest export of a full memory (about 190 KB).
constexpr std::size_t kLargestImport = 256 * 1024;

// The file's bytes, at most kLargestImport; false with why not.
bool ReadImportFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& why) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    why = "cannot be opened";
    return false;
  }
  bytes.resize(kLargestImport + 1);
  const std::size_t length = std::fread(bytes.data(), 1, bytes.size(), file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  bytes.resize(length);
  why = failed ? "cannot be read" : length > kLargestImport ? "too large to be an export" : "";
  return why.empty();
}

// Each file kept as an imported recording, its number printed; a file that is no export is
// named with its reason and the others are still imported.
int Import(const ArchiveOptions& options) {
  std::unique_ptr<ArchiveStore> store;
  if (!OpenChosenArchive("archive import", options.archive, archive::OpenMode::ReadWrite, store)) {
    return kExitArchiveUnreadable;
  }
  int code = kExitOk;
  for (const std::string& path : options.importFiles) {
    std::vector<uint8_t> bytes;
    std::string why;
    if (!ReadImportFile(path, bytes, why)) {
      std::fprintf(stderr, "zorvant-cli archive import: %s: %s\n", Echoed(path).c_str(),
                   why.c_str());
      code = kExitBadExport;
      continue;
    }
    archive::KeptRecording kept;
    const ArchiveStatus status =
        archive::KeepImport(*store, bytes, path, archive::AttributionNow(), kept);
    if (status.fault == archive::ArchiveFault::BadInput) {
      PrintArchiveFailure("archive import", status);
      code = kExitBadExport;
      continue;
    }
    if (!status.ok()) {
      PrintArchiveFailure("archive import", status);
      return kExitArchiveNotWritten;
    }
    std::printf("%s: recording %lld%s\n", Echoed(path).c_str(),
                static_cast<long long>(kept.recordingId),
                kept.alreadyKept ? " (the same bytes as before)" : "");
  }
  return code;
}

CLI::App* AddAction(CLI::App& archive, ArchiveOptions& options, const char* name,
                    ArchiveAction action, const char* help) {
  CLI::App* command = archive.add_subcommand(name, help);
  AddArchiveOptions(*command, options.archive);
  command->callback([&options, action] { options.action = action; });
  return command;
}

void AddSince(CLI::App& command, ArchiveOptions& options, const char* what) {
  command
      .add_option_function<std::string>(
          "--since",
          [&options](const std::string& text) {
            int64_t utc = 0;
            if (!ParseUtcDate(text, utc)) {
              throw CLI::ValidationError("--since", "give YYYY-MM-DD or YYYY-MM-DDTHH:MM:SSZ");
            }
            options.sinceUtc = utc;
          },
          what)
      ->type_name("DATE");
}

// archive report ID and archive chart ID: the commands' own page options, the kept recording as
// their source. Their options keep the commands' own checks (a callback each), so the action is
// noted once the line is parsed.
void AddPageActions(CLI::App& archive, ArchiveOptions& options) {
  struct PageAction {
    const char* name;
    ArchiveAction action;
    const char* help;
    SourceOptions& source;
    ArchiveChoice& choice;
  };
  const PageAction actions[] = {
      {"report", ArchiveAction::Report,
       "The report of a kept recording, as report writes it from a logger (its hash and "
       "number in the footer)",
       options.report.source, options.report.archive},
      {"chart", ArchiveAction::Chart, "The chart of a kept recording, as chart draws it",
       options.chart.source, options.chart.archive},
  };
  for (const PageAction& page : actions) {
    CLI::App* command = archive.add_subcommand(page.name, page.help);
    command->add_option("ID", page.source.archiveId, "The recording's number (archive list)")
        ->required()
        ->check(CLI::PositiveNumber);
    AddArchiveOptions(*command, page.choice);
    if (page.action == ArchiveAction::Report) {
      AddReportPageOptions(*command, options.report);
    } else {
      AddChartPageOptions(*command, options.chart);
    }
    command->parse_complete_callback([&options, action = page.action] { options.action = action; });
  }
}

}  // namespace

CLI::App* AddArchiveCommand(CLI::App& app, ArchiveOptions& options) {
  auto* archive = app.add_subcommand(
      "archive",
      "The archive of downloads: every read, report --port and chart --port keeps "
      "the bytes as received, and an audit trail of what was done.");
  archive->require_subcommand(1);
  auto* list = AddAction(*archive, options, "list", ArchiveAction::List,
                         "The recordings kept: number, logger, when kept, readings, span, source");
  list->add_option("--logger", options.loggerId, "Only this logger's identifier");
  AddSince(*list, options, "Only those kept at or after this date (UTC)");
  auto* show = AddAction(*archive, options, "show", ArchiveAction::Show,
                         "Everything kept about one recording, and every event that names it");
  show->add_option("ID", options.id, "The recording's number (archive list)")
      ->required()
      ->check(CLI::PositiveNumber);
  auto* verify = AddAction(*archive, options, "verify", ArchiveAction::Verify,
                           "Hash every recording and event again and walk the trail's chain; "
                           "name the first broken link");
  auto* log =
      AddAction(*archive, options, "log", ArchiveAction::Log, "The audit trail, oldest first");
  AddSince(*log, options, "Only events at or after this date (UTC)");
  auto* exported = AddAction(
      *archive, options, "export", ArchiveAction::Export,
      "Write a kept download as read would have written it then: the text export, CSV or JSON");
  exported->add_option("ID", options.id, "The recording's number (archive list)")
      ->required()
      ->check(CLI::PositiveNumber);
  exported
      ->add_option("--output,-o", options.output,
                   "The file: .txt (the program's export), .csv or .json, by its extension; "
                   "replaced atomically")
      ->required()
      ->check(CLI::Validator(
          [](std::string& path) {
            const OutputFormat format = OutputFormatOf(path);
            return format == OutputFormat::Text || format == OutputFormat::Csv ||
                           format == OutputFormat::Json
                       ? std::string()
                       : std::string("give a .txt, .csv or .json file");
          },
          "FILE"));
  AddArchiveCopy(*archive, options.archive, options.copy)->callback([&options] {
    options.action = ArchiveAction::Copy;
  });
  for (CLI::App* command : {list, show, log, verify}) {
    command->add_flag("--json", options.json, "Print one JSON object instead of text");
  }
  AddPageActions(*archive, options);
  auto* imported =
      AddAction(*archive, options, "import", ArchiveAction::Import,
                "Keep text exports made by the program as imported recordings: the file's bytes "
                "and its SHA-256, its readings read from it, never passed off as a download");
  imported->add_option("FILE", options.importFiles, "Export files (.txt)")->required();
  return archive;
}

int RunArchive(const ArchiveOptions& options) {
  // These open the archive themselves: to read one recording.
  if (options.action == ArchiveAction::Report) return RunReport(options.report);
  if (options.action == ArchiveAction::Chart) return RunChart(options.chart);
  if (options.archive.none) {
    std::fputs("zorvant-cli archive: --no-archive leaves no archive to read\n", stderr);
    return kExitUsage;
  }
  // Copying opens its own two ends.
  if (options.action == ArchiveAction::Copy) return RunArchiveCopy(options.archive, options.copy);
  if (options.action == ArchiveAction::Import) return Import(options);
  std::unique_ptr<ArchiveStore> store;
  if (!OpenChosenArchive("archive", options.archive, archive::OpenMode::ReadOnly, store)) {
    return kExitArchiveUnreadable;
  }
  try {
    switch (options.action) {
      case ArchiveAction::List:
        return List(options, *store);
      case ArchiveAction::Show:
        return Show(options, *store);
      case ArchiveAction::Log:
        return Log(options, *store);
      case ArchiveAction::Verify:
        return VerifyArchive(options, store);
      case ArchiveAction::Export:
        return Export(options, *store);
      case ArchiveAction::Copy:  // each of these opens the archive itself, above
      case ArchiveAction::Import:
      case ArchiveAction::Report:
      case ArchiveAction::Chart:
      case ArchiveAction::None:
        break;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "zorvant-cli archive: %s\n", Echoed(error.what()).c_str());
    return kExitArchiveUnreadable;
  }
  return kExitUsage;
}

}  // namespace zv::cli
