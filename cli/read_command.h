// zorvant-cli read: connect, download the sample memory, write it out, disconnect.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "cli/archive_choice.h"
#include "cli/read_formats.h"
#include "samples/civil_time.h"
#include "samples/export_csv.h"

namespace zv::cli {

struct ReadOptions {
  ArchiveChoice archive;
  std::string port;
  std::string output;
  ReadFormat format = ReadFormat::Text;
  std::optional<StartTime> startedAt;  // the user's statement of when slot 0 was taken
  CsvDialect csvDialect = CsvDialect::Rfc4180;
  bool summaryOnly = false;  // no file: the summary on stdout, for a script
};

CLI::App* AddReadCommand(CLI::App& app, ReadOptions& options);
int RunRead(const ReadOptions& options);

}  // namespace zv::cli
