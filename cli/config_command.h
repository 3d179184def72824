// zorvant-cli config: connect, program a new configuration into the logger, disconnect; the
// same questions and messages as the program's "Zapisz konfigurację", answered by options.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "cli/config_choice.h"

namespace zv::cli {

struct ConfigOptions {
  std::string port;
  ConfigOptionTexts texts;
  bool erase = false;
  bool keep = false;
  bool allowModeChange = false;
  std::string whenFull = "stop";
  bool dryRun = false;
};

CLI::App* AddConfigCommand(CLI::App& app, ConfigOptions& options);
int RunConfig(const ConfigOptions& options);

}  // namespace zv::cli
