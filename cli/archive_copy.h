// zorvant-cli archive copy: a PC's archive moved onto the site's server, or the server's
// archive given to an auditor as one file. Both ends are verified as they go (copy_archive.h).
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "cli/archive_choice.h"

namespace zv::cli {

struct ArchiveCopyOptions {
  std::string from;  // empty: the archive --archive, $ZORVANT_ARCHIVE or the default names
  std::string to;
};

// Adds `copy` under `archive`; `chosen` is where --archive goes, the source by default.
CLI::App* AddArchiveCopy(CLI::App& archive, ArchiveChoice& chosen, ArchiveCopyOptions& options);

int RunArchiveCopy(const ArchiveChoice& chosen, const ArchiveCopyOptions& options);

}  // namespace zv::cli
