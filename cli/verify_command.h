// zorvant-cli verify FILE: whether a text export, a report's JSON or a report's PDF holds the
// figures of the original the archive kept, or which differ.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "cli/archive_choice.h"

namespace zv::cli {

struct VerifyOptions {
  ArchiveChoice archive;
  std::string file;
  bool json = false;
};

CLI::App* AddVerifyCommand(CLI::App& app, VerifyOptions& options);
int RunVerify(const VerifyOptions& options);

}  // namespace zv::cli
