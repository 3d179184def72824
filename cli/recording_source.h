// Where a command's recording comes from, and the recording once loaded: a download from a
// logger (connect, download, disconnect), an export file or a recording kept in the archive,
// turned into one value that read, chart and report use alike.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <string>

#include "base/info_tab.h"
#include "base/sample_memory.h"
#include "cli/archive_choice.h"
#include "cli/export_source.h"
#include "cli/terminal_ui.h"
#include "report/report_facts.h"

namespace zv::cli {

// --port and --from-export as typed, exactly one of them given; or the archive's number of a
// recording (archive report ID, archive chart ID), which then stands alone.
struct SourceOptions {
  std::string port;
  std::string fromExport;
  int64_t archiveId = 0;
};

// Adds --port and --from-export, each excluding the other.
void AddSourceOptions(CLI::App& command, SourceOptions& options);

// A source ready to load: the platform's name of the port, the export's path, or the archive's
// number (and "archive no. 12" as its name).
struct RecordingSource {
  SourceKind kind = SourceKind::Port;
  std::string name;
  int64_t archiveId = 0;
};

// Checks that one of the two was given and resolves the port ("auto": the one USB serial port);
// prints why not and returns the exit code, else kExitOk. Nothing is opened yet.
int ResolveSource(const char* command, const SourceOptions& options, RecordingSource& source);
int ResolvePortSource(const std::string& given, RecordingSource& source);

struct Recording {
  const SampleBuffer* samples = nullptr;  // static storage, valid until the next load
  uint8_t channelMode = 1;
  uint32_t intervalSeconds = 0;  // 0 when the logger's interval index or the file names none
  LoggerFacts logger;            // the logger as the report describes it
  LoggerInfo info;               // what the logger reported; a download's only
  RecordingSource source;
  // Which recording it is (its hash, archive number and origin), as far as is known.
  RecordingIdentity identity;
  // When the first reading was taken, reckoned from the download time for a logger that was
  // still measuring; none otherwise.
  std::optional<int64_t> estimatedStartUtc;
  // kExitArchiveNotWritten when a download could not be kept: the command's code once its
  // output is written.
  int archiveCode = 0;
};

// Downloads from the port (and keeps the download in the archive `archive` names), reads the
// export (and finds its readings in that archive, when it has them), or loads the kept
// recording; every failure is printed as the program, the export reader or the archive words
// it, and its exit code returned.
int LoadRecording(const char* command, const RecordingSource& source, const ArchiveChoice& archive,
                  TerminalUi& ui, Recording& recording);

// A recording's samples and logger facts taken from a download the program holds (the table
// with its texts derived), or from an export read; its source and identity are left alone.
void TakeDownload(const LoggerInfo& info, const SampleBuffer& samples, Recording& recording);
void TakeExport(const ExportRecording& file, Recording& recording);

// The start a command uses: the one given, else the estimate (its times then written in the
// system's time zone), with whether it is estimated.
std::optional<StartTime> StartOf(const std::optional<StartTime>& given, const Recording& recording,
                                 bool& estimated);

}  // namespace zv::cli
