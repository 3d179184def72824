// zorvant-cli info: connect, print what the logger reports, disconnect.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "cli/archive_choice.h"

namespace zv::cli {

struct InfoOptions {
  ArchiveChoice archive;
  std::string port;
  bool json = false;
};

CLI::App* AddInfoCommand(CLI::App& app, InfoOptions& options);
int RunInfo(const InfoOptions& options);

}  // namespace zv::cli
