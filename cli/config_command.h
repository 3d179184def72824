// zorvant-cli config: connect, program a new configuration into the logger, disconnect; the
// same questions and messages as the program's "Zapisz konfigurację", answered by options.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "cli/archive_choice.h"
#include "cli/config_choice.h"

namespace zv::cli {

struct ConfigOptions {
  ArchiveChoice archive;
  std::string port;
  ConfigOverrides overrides;  // what the options change, checked as they are read
  bool erase = false;
  bool keep = false;
  bool allowModeChange = false;
  bool eraseWhenFull = false;  // --when-full erase; stop is the default
  bool dryRun = false;
};

CLI::App* AddConfigCommand(CLI::App& app, ConfigOptions& options);
int RunConfig(const ConfigOptions& options);

}  // namespace zv::cli
