// A text export checked against the archive: the recording found by its readings, else the
// closest recording of the same logger, channel mode and length, compared reading by reading.
#pragma once

#include <span>
#include <string>

#include "archive/archive_store.h"
#include "cli/verify_outcome.h"

namespace zv::cli {

// Whether the bytes are a text export at all (its header); `problem` is empty for a whole
// export, else why its readings do not read (the line named).
bool IsTextExport(std::span<const uint8_t> file, std::string& problem);

// Finds the original of an export that reads whole, and what differs from it.
archive::ArchiveStatus VerifyTextExport(archive::ArchiveStore& store, std::span<const uint8_t> file,
                                        VerifyOutcome& outcome);

}  // namespace zv::cli
