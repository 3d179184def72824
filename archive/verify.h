// Verifying an archive: every recording's bytes hashed again and its facts read again, every
// event's body hashed again and the chain walked from the first event to the newest the archive
// recorded. Store-independent; it reads one snapshot and writes nothing (the command records
// its verify event afterwards, from VerifyDraft).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive/archive_store.h"

namespace zv::archive {

enum class Finding : uint8_t {
  RecordingAltered,       // its bytes no longer give its SHA-256
  RecordingFactsAltered,  // its listed facts are not what its bytes say
  RecordingUnreadable,    // its bytes are not of a recording's shape
  RecordingNotKept,       // no event of the trail kept it: added from outside
  EventAltered,           // its body no longer gives its hashes or its columns
  EventRemoved,           // events before it are missing
  EventInserted,          // added from outside: the event after it links past it
  EventsReordered,        // it and the next were swapped
  EventRecordingMissing,  // the recording it names is not in the archive
  TrailCut,               // the trail's end is not the newest event the archive recorded
};

struct VerifyFinding {
  Finding what = Finding::EventAltered;
  int64_t recordingId = 0;
  int64_t eventSeq = 0;
  std::string text;
};

struct VerifyReport {
  uint64_t recordings = 0;
  uint64_t events = 0;
  ChainTip tip;  // the newest link, as walked
  // The recordings' findings, then the trail's in its order; at most kMostFindings, and the
  // count of those left out.
  std::vector<VerifyFinding> findings;
  uint64_t findingsLeftOut = 0;

  static constexpr std::size_t kMostFindings = 100;
  bool Clean() const { return findings.empty(); }
  // The first finding of the trail, the broken link to name; null when the trail is whole.
  const VerifyFinding* FirstBrokenLink() const;
};

ArchiveStatus Verify(ArchiveStore& store, VerifyReport& report);

// The verify event: what was checked and what was found.
EventDraft VerifyDraft(const VerifyReport& report);

}  // namespace zv::archive
