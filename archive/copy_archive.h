// Copying one archive into another: a site's file moved onto its server, or a server's archive
// given to an auditor as one portable file. Store-independent.
//
// Every event goes over in the source's order with its body unchanged, so its content hash
// proves it the same event in both; it is linked into the destination's chain anew after
// whatever that archive already holds. A recording goes over with the first event that names
// it. Nothing is taken on trust: each event's body is hashed again and its link to the one
// before checked, each recording's bytes hashed again, and a source that fails is named and the
// copy stopped. An event the destination already holds (its content hash) is passed over, so a
// second copy adds nothing, and a copy cut short goes on where it stopped.
#pragma once

#include <cstdint>

#include "archive/archive_store.h"

namespace zv::archive {

struct CopyCounts {
  uint64_t events = 0;            // events of the source walked
  uint64_t eventsCopied = 0;      // of those, the ones new to the destination
  uint64_t recordingsCopied = 0;  // recordings new to the destination
};

// Copies the source's events up to its newest when the copy starts (what is kept meanwhile
// waits for the next copy), in transactions of a few hundred events: one cut short keeps the
// ones before it. Corrupt when the source fails a check; `counts` tells what was copied.
ArchiveStatus CopyArchive(ArchiveStore& from, ArchiveStore& to, CopyCounts& counts);

}  // namespace zv::archive
