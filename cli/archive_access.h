// Opening the archive a command's --archive, $ZORVANT_ARCHIVE or the default place names, with
// a failure printed in the archive's own words.
#pragma once

#include <memory>

#include "archive/archive_store.h"
#include "cli/archive_choice.h"

namespace zv::cli {

// Prints "zorvant-cli COMMAND: MESSAGE" on stderr for a failed archive operation.
void PrintArchiveFailure(const char* command, const archive::ArchiveStatus& status);

// False (the failure printed) when the archive cannot be opened in that mode.
bool OpenChosenArchive(const char* command, const ArchiveChoice& choice, archive::OpenMode mode,
                       std::unique_ptr<archive::ArchiveStore>& store);

}  // namespace zv::cli
