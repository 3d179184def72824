#include "cli/recording_source.h"

#include <cstdio>
#include <ctime>

#include "cli/archive_source.h"
#include "cli/connect_and_download.h"
#include "cli/download_keeping.h"
#include "cli/exit_codes.h"
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
  if (options.archiveId != 0) {
    source.kind = SourceKind::Archive;
    source.archiveId = options.archiveId;
    source.name = "archive no. " + std::to_string(options.archiveId);
    return kExitOk;
  }
  if (options.port.empty() == options.fromExport.empty()) {
    std::fprintf(stderr, "zorvant-cli %s: give either --port or --from-export\n", command);
    return kExitUsage;
  }
  if (!options.port.empty()) return ResolvePortSource(options.port, source);
  source.kind = SourceKind::ExportFile;
  source.name = options.fromExport;
  return kExitOk;
}

void TakeDownload(const LoggerInfo& info, const SampleBuffer& samples, Recording& recording) {
  recording.info = info;
  recording.samples = &samples;
  recording.channelMode = info.channelMode;
  if (!IntervalSeconds(info.tab.IntervalIndex(), recording.intervalSeconds)) {
    recording.intervalSeconds = 0;
  }
  recording.logger = LoggerFactsFromInfo(info);
}

void TakeExport(const ExportRecording& file, Recording& recording) {
  recording.samples = file.samples;
  recording.channelMode = file.channelMode;
  recording.intervalSeconds = file.intervalSeconds;
  recording.logger = LoggerFactsFromExport(file.header, file.channelMode);
}

int LoadRecording(const char* command, const RecordingSource& source, const ArchiveChoice& archive,
                  TerminalUi& ui, Recording& recording) {
  recording.source = source;
  if (source.kind == SourceKind::Archive) {
    return LoadKeptRecording(command, archive, source.archiveId, recording);
  }
  if (source.kind == SourceKind::Port) {
    INFO_TAB asReceived{};
    LoggerInfo info;
    const SampleBuffer* samples = nullptr;
    const int loaded = DownloadFrom(source.name.c_str(), ui, info, asReceived, samples);
    if (loaded != kExitOk) return loaded;
    // The logger keeps no clock: the download's own time is what an estimated start counts
    // back from.
    const auto downloadedAt = static_cast<int64_t>(std::time(nullptr));
    TakeDownload(info, *samples, recording);
    IdentifyDownload(asReceived, *samples, downloadedAt, recording.identity,
                     recording.estimatedStartUtc);
    recording.archiveCode = KeepDownloadInArchive(command, archive, asReceived, *samples,
                                                  source.name.c_str(), recording.identity);
    return kExitOk;
  }
  ExportRecording file;
  const int loaded = LoadExport(command, source.name.c_str(), file);
  if (loaded != kExitOk) return loaded;
  TakeExport(file, recording);
  recording.identity = FindReadingsInArchive(archive, *recording.samples, recording.channelMode);
  return kExitOk;
}

std::optional<StartTime> StartOf(const std::optional<StartTime>& given, const Recording& recording,
                                 bool& estimated) {
  estimated = !given && recording.estimatedStartUtc;
  if (!estimated) return given;
  StartTime start;
  start.utc = *recording.estimatedStartUtc;
  start.localZone = true;
  return start;
}

}  // namespace zv::cli
