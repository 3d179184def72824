// Opening the archive a location names: its folder made when it is the default place, the store
// for its kind, and its schema set up, migrated or refused.
#pragma once

#include <memory>

#include "archive/archive_location.h"
#include "archive/archive_store.h"

namespace zv::archive {

ArchiveStatus OpenArchive(const ArchiveLocation& location, OpenMode mode,
                          std::unique_ptr<ArchiveStore>& store);

// For a store just opened: an empty one set up, an older one migrated (ReadWrite only), a newer
// one refused. Read-only, an empty store is Absent and an older one is read as it is only when
// its tables still serve; here it is refused with the step to take.
ArchiveStatus PrepareSchema(ArchiveStore& store, OpenMode mode);

}  // namespace zv::archive
