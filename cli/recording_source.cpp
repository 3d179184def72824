#include "cli/recording_source.h"

#include <cstdio>

#include "cli/connect_and_download.h"
#include "cli/download_keeping.h"
#include "cli/exit_codes.h"
#include "cli/export_source.h"
#include "cli/port_option.h"
#include "report/logger_facts.h"
#include "samples/sample_interval.h"

namespace zv::cli {

void AddSourceOptions(CLI::App& command, SourceOptions& options) {
  auto* port = command.add_option("--port", options.port, kPortHelp);
  auto* from = command.add_option("--from-export", options.fromExport, kFromExportHelp);
  port->excludes(from);
}

int ResolvePortSource(const std::string& given, RecordingSource& source) {
  source.kind = SourceKind::Port;
  return ResolvePort(given, source.name);
}

int ResolveSource(const char* command, const SourceOptions& options, RecordingSource& source) {
  if (options.port.empty() == options.fromExport.empty()) {
    std::fprintf(stderr, "zorvant-cli %s: give either --port or --from-export\n", command);
    return kExitUsage;
  }
  if (!options.port.empty()) return ResolvePortSource(options.port, source);
  source.kind = SourceKind::ExportFile;
  source.name = options.fromExport;
  return kExitOk;
}

int LoadRecording(const char* command, const RecordingSource& source, const ArchiveChoice& archive,
                  TerminalUi& ui, Recording& recording) {
  recording.source = source;
  if (source.kind == SourceKind::Port) {
    INFO_TAB asReceived{};
    const int loaded =
        DownloadFrom(source.name.c_str(), ui, recording.info, asReceived, recording.samples);
    if (loaded != kExitOk) return loaded;
    recording.archiveCode = KeepDownloadInArchive(command, archive, asReceived, *recording.samples,
                                                  source.name.c_str());
    recording.channelMode = recording.info.channelMode;
    if (!IntervalSeconds(recording.info.tab.IntervalIndex(), recording.intervalSeconds)) {
      recording.intervalSeconds = 0;
    }
    recording.logger = LoggerFactsFromInfo(recording.info);
    return kExitOk;
  }
  ExportRecording file;
  const int loaded = LoadExport(command, source.name.c_str(), file);
  if (loaded != kExitOk) return loaded;
  recording.samples = file.samples;
  recording.channelMode = file.channelMode;
  recording.intervalSeconds = file.intervalSeconds;
  recording.logger = LoggerFactsFromExport(file.header, file.channelMode);
  return kExitOk;
}

}  // namespace zv::cli
