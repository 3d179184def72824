#include "cli/archive_choice.h"

namespace zv::cli {

void AddArchiveOptions(CLI::App& command, ArchiveChoice& choice) {
  auto* where = command.add_option(
      "--archive", choice.where,
      "The archive of downloads: a SQLite file, or a postgresql:// URL (default: "
      "$ZORVANT_ARCHIVE, else $XDG_DATA_HOME/zorvant2/archive.sqlite)");
  where->type_name("PATH|URL");
  command.add_flag("--no-archive", choice.none, "Keep nothing in the archive this time")
      ->excludes(where);
}

}  // namespace zv::cli
