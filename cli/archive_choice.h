// --archive and --no-archive as every command takes them: where the archive lives, or that
// nothing is kept this time.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace zv::cli {

struct ArchiveChoice {
  std::string where;  // --archive's path or postgresql:// URL; empty when not given
  bool none = false;  // --no-archive
};

// Adds --archive and --no-archive, each excluding the other.
void AddArchiveOptions(CLI::App& command, ArchiveChoice& choice);

// The command's exit code once its own output is done: a failure of the output stands, else
// the archive's (kExitOk when the download was kept, or nothing was to be kept).
inline int WithArchiveCode(int outputCode, int archiveCode) {
  return outputCode != 0 ? outputCode : archiveCode;
}

}  // namespace zv::cli
