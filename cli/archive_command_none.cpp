// A build without an archive store: `archive` says so.
#include <cstdio>

#include "cli/archive_command.h"
#include "cli/exit_codes.h"

namespace zv::cli {

CLI::App* AddArchiveCommand(CLI::App& app, ArchiveOptions&) {
  auto* archive = app.add_subcommand("archive", "The archive of downloads (not in this build)");
  archive->allow_extras();
  return archive;
}

int RunArchive(const ArchiveOptions&) {
  std::fputs("zorvant-cli archive: this build keeps no archive\n", stderr);
  return kExitArchiveUnreadable;
}

}  // namespace zv::cli
