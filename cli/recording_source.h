// Where a command's recording comes from, and the recording once loaded: a download from a
// logger (connect, download, disconnect) or an export file, turned into one value that read,
// chart and report use alike (and that a further source, such as a kept download, can fill).
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>

#include "base/info_tab.h"
#include "base/sample_memory.h"
#include "cli/archive_choice.h"
#include "cli/terminal_ui.h"
#include "report/report_facts.h"

namespace zv::cli {

// --port and --from-export as typed; exactly one of them is given.
struct SourceOptions {
  std::string port;
  std::string fromExport;
};

// Adds --port and --from-export, each excluding the other.
void AddSourceOptions(CLI::App& command, SourceOptions& options);

// A source ready to load: the platform's name of the port, or the export's path.
struct RecordingSource {
  SourceKind kind = SourceKind::Port;
  std::string name;
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
  // kExitArchiveNotWritten when a download could not be kept: the command's code once its
  // output is written.
  int archiveCode = 0;
};

// Downloads from the port (and keeps the download in the archive `archive` names) or reads the
// export; every failure is printed as the program or the export reader words it, and its exit
// code returned.
int LoadRecording(const char* command, const RecordingSource& source, const ArchiveChoice& archive,
                  TerminalUi& ui, Recording& recording);

}  // namespace zv::cli
