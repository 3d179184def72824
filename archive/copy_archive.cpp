#include "archive/copy_archive.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "archive/keep.h"

namespace zv::archive {

namespace {

// Events a destination transaction takes: few enough to hold the destination's lock only
// briefly, many enough that the syncs of a commit do not dominate.
constexpr int64_t kBatchEvents = 200;

struct SourceEvent {
  Event event;
  std::optional<Sha256Digest> named;  // the recording its body names
};

class Copier {
 public:
  Copier(ArchiveStore& from, ArchiveStore& to, CopyCounts& counts)
      : from_(from), to_(to), counts_(counts) {}

  ArchiveStatus Run() {
    ChainTip end;
    ArchiveStatus status = from_.ReadChainTip(end);
    while (status.ok() && walked_.seq < end.seq) {
      std::vector<SourceEvent> batch;
      status = ReadBatch(std::min(kBatchEvents, end.seq - walked_.seq), batch);
      if (status.ok()) status = AppendBatch(batch);
    }
    if (status.ok() && walked_.hash != end.hash) {
      return SourceBroken(std::to_string(end.seq) +
                          ": its chain hash is not the one the archive "
                          "recorded as its newest");
    }
    return status;
  }

 private:
  ArchiveStatus SourceBroken(const std::string& where) const {
    return Failure(ArchiveFault::Corrupt,
                   "archive " + from_.Name() + ", event " + where +
                       "; it cannot be copied (`archive verify` names what was changed), and "
                       "the copy stopped after " +
                       std::to_string(counts_.events) + " events");
  }

  // The next events after the last one checked, each proven whole and linked to the one before.
  ArchiveStatus ReadBatch(int64_t most, std::vector<SourceEvent>& batch) {
    EventFilter filter;
    filter.afterSeq = walked_.seq;
    filter.limit = static_cast<std::size_t>(most);
    ArchiveStatus status = from_.ScanEvents(filter, [&](const Event& event) {
      batch.push_back({event, std::nullopt});
      return true;
    });
    if (!status.ok()) return status;
    if (batch.empty()) return SourceBroken(std::to_string(walked_.seq + 1) + " is missing");
    ChainTip link = walked_;
    for (SourceEvent& each : batch) {
      const Event& event = each.event;
      const std::string name = std::to_string(event.seq);
      if (event.seq != link.seq + 1) {
        return SourceBroken(std::to_string(link.seq + 1) + " is missing");
      }
      EventColumns columns;
      Sha256Digest content;
      Sha256Digest chain;
      if (!ReadEventColumns(event.body, columns, each.named) || columns != event.columns ||
          !ContentHash(event.body, content) || content != event.contentHash) {
        return SourceBroken(name + ": its body no longer gives its hash and columns");
      }
      if (!ChainHash(link.hash, content, chain) || chain != event.chainHash) {
        return SourceBroken(name + ": its chain hash does not follow from the event before it");
      }
      link = {event.seq, chain};
    }
    return {};
  }

  // A recording of the source by the hash an event's body names, its bytes hashed again.
  ArchiveStatus LoadChecked(const SourceEvent& each, Recording& recording) {
    int64_t id = 0;
    ArchiveStatus status = from_.FindRecording(*each.named, id);
    if (!status.ok()) return status;
    const std::string name = std::to_string(each.event.seq);
    if (id == 0) return SourceBroken(name + ": the recording it names is not in the archive");
    status = from_.LoadRecording(id, recording);
    if (!status.ok()) return status;
    RecordingFacts facts;
    Sha256Digest sha256;
    if (!DeriveFromBytes(recording, facts, sha256) || sha256 != *each.named ||
        facts != recording.facts) {
      return SourceBroken(name + ": recording " + std::to_string(id) +
                          " it names is altered, its bytes no longer give its hash or facts");
    }
    return {};
  }

  // One destination transaction for the batch: whole or not at all.
  ArchiveStatus AppendBatch(const std::vector<SourceEvent>& batch) {
    CopyCounts added;
    ArchiveStatus status = to_.BeginAppend();
    if (!status.ok()) return status;
    for (const SourceEvent& each : batch) {
      int64_t present = 0;
      status = to_.FindEvent(each.event.contentHash, present);
      if (!status.ok()) break;
      if (present != 0) continue;
      Recording recording;
      const Recording* bytes = nullptr;
      if (each.named) {
        int64_t id = 0;
        status = to_.FindRecording(*each.named, id);
        if (status.ok() && id == 0) {
          status = LoadChecked(each, recording);
          bytes = &recording;
          ++added.recordingsCopied;
        }
        if (!status.ok()) break;
      }
      Event copy = each.event;
      copy.recordingId = 0;
      KeptRecording kept;
      status = AppendToChain(to_, bytes, each.named, copy, kept);
      if (!status.ok()) break;
      ++added.eventsCopied;
    }
    if (status.ok()) status = to_.CommitAppend();
    if (!status.ok()) {
      to_.AbandonAppend();
      return status;
    }
    counts_.events += batch.size();
    counts_.eventsCopied += added.eventsCopied;
    counts_.recordingsCopied += added.recordingsCopied;
    walked_ = {batch.back().event.seq, batch.back().event.chainHash};
    return {};
  }

  ArchiveStore& from_;
  ArchiveStore& to_;
  CopyCounts& counts_;
  ChainTip walked_;  // the last source event checked and copied (or found present)
};

}  // namespace

ArchiveStatus CopyArchive(ArchiveStore& from, ArchiveStore& to, CopyCounts& counts) {
  return WithoutExceptions([&] {
    counts = CopyCounts{};
    Copier copier(from, to, counts);
    return copier.Run();
  });
}

}  // namespace zv::archive
