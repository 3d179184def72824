#include "archive/verify.h"

#include <algorithm>
#include <unordered_map>

namespace zv::archive {

namespace {

std::string Numbered(const char* what, int64_t number) {
  return std::string(what) + " " + std::to_string(number);
}

// What the chain walk needs of each event; the bodies themselves are not held.
struct Link {
  int64_t seq = 0;
  Sha256Digest content{};
  Sha256Digest chain{};
};

class Verifier {
 public:
  explicit Verifier(VerifyReport& report) : report_(report) {}

  bool VisitRecording(const Recording& recording) {
    ++report_.recordings;
    RecordingFacts facts;
    Sha256Digest sha256;
    const std::string name = Numbered("recording", recording.id);
    if (!DeriveFromBytes(recording, facts, sha256)) {
      AddRecording(
          Finding::RecordingUnreadable, recording.id,
          name + ": its bytes are not those of a " + OriginName(recording.origin) + " recording");
    } else if (sha256 != recording.sha256) {
      AddRecording(Finding::RecordingAltered, recording.id,
                   name + ": altered, its bytes no longer give its SHA-256");
    } else if (facts != recording.facts) {
      AddRecording(Finding::RecordingFactsAltered, recording.id,
                   name + ": altered, its listed facts differ from what its bytes say");
    }
    kept_[recording.id] = {recording.sha256, false};
    return true;
  }

  bool VisitEvent(const Event& event) {
    ++report_.events;
    const std::string name = Numbered("event", event.seq);
    EventColumns columns;
    std::optional<Sha256Digest> named;
    Sha256Digest content;
    links_.push_back({event.seq, event.contentHash, event.chainHash});
    const bool whole = ReadEventColumns(event.body, columns, named) &&
                       ContentHash(event.body, content) && content == event.contentHash &&
                       columns == event.columns;
    if (!whole) {
      AddEvent(Finding::EventAltered, event.seq,
               name + ": altered, its body no longer gives its hash and columns");
    } else if (!named && event.recordingId != 0) {
      AddEvent(Finding::EventAltered, event.seq,
               name + ": altered, it points to a recording its body does not name");
    }
    if (event.recordingId == 0 && !named) return true;
    const auto recording = kept_.find(event.recordingId);
    if (whole && named && (recording == kept_.end() || recording->second.sha256 != *named)) {
      AddEvent(Finding::EventRecordingMissing, event.seq,
               name + ": the recording it names (" + HexOf(*named) + ") is not in the archive");
    } else if (recording != kept_.end() && (event.columns.kind == EventKind::Download ||
                                            event.columns.kind == EventKind::Import)) {
      recording->second.kept = true;
    }
    return true;
  }

  // Every event must follow from the one before; where one does not, the event after it
  // tells what happened (a swap, an insertion), and the walk picks up behind the break so that
  // one tampering is named once.
  void WalkChain(const ChainTip& recorded) {
    Sha256Digest previous{};
    int64_t expected = 1;
    for (std::size_t i = 0; i < links_.size(); ++i) {
      const Link& link = links_[i];
      const Link* next = i + 1 < links_.size() ? &links_[i + 1] : nullptr;
      if (link.seq != expected) {
        AddEvent(Finding::EventRemoved, link.seq,
                 Numbered("event", link.seq) + ": " + Numbered("events from", expected) +
                     " on are missing before it");
      } else if (Follows(previous, link)) {
        // whole
      } else if (next != nullptr && Follows(next->chain, link) && Follows(previous, *next)) {
        AddEvent(Finding::EventsReordered, link.seq,
                 Numbered("event", link.seq) + ": it and the next were swapped");
        previous = link.chain;
        expected = next->seq + 1;
        ++i;
        continue;
      } else if (next != nullptr && Follows(previous, *next)) {
        AddEvent(Finding::EventInserted, link.seq,
                 Numbered("event", link.seq) +
                     ": inserted, the event after it follows the one "
                     "before it");
        ++expected;
        continue;
      } else {
        AddEvent(Finding::EventAltered, link.seq,
                 Numbered("event", link.seq) +
                     ": altered, its chain hash does not follow from "
                     "the event before it");
      }
      previous = link.chain;
      expected = link.seq + 1;
    }
    report_.tip = {links_.empty() ? 0 : links_.back().seq, previous};
    if (previous != recorded.hash) {
      const int64_t last = report_.tip.seq;
      AddEvent(Finding::TrailCut, last + 1,
               recorded.seq > last
                   ? Numbered("the trail ends at event", last) +
                         Numbered(", but the archive recorded event", recorded.seq) +
                         " as its newest: events removed from its end"
                   : Numbered("the trail goes on past event", recorded.seq) +
                         ", which the archive recorded as its newest: events added from outside "
                         "or its newest altered");
    }
  }

  void Finish() {
    for (const auto& [id, recording] : kept_) {
      if (!recording.kept) {
        AddRecording(Finding::RecordingNotKept, id,
                     Numbered("recording", id) + ": no event of the trail kept it");
      }
    }
    std::stable_sort(recordingFindings_.begin(), recordingFindings_.end(),
                     [](const auto& a, const auto& b) { return a.recordingId < b.recordingId; });
    std::stable_sort(eventFindings_.begin(), eventFindings_.end(),
                     [](const auto& a, const auto& b) { return a.eventSeq < b.eventSeq; });
    for (auto* findings : {&recordingFindings_, &eventFindings_}) {
      for (VerifyFinding& finding : *findings) {
        if (report_.findings.size() < VerifyReport::kMostFindings) {
          report_.findings.push_back(std::move(finding));
        } else {
          ++report_.findingsLeftOut;
        }
      }
    }
  }

 private:
  struct Kept {
    Sha256Digest sha256{};
    bool kept = false;
  };

  static bool Follows(const Sha256Digest& previous, const Link& link) {
    Sha256Digest chain;
    return ChainHash(previous, link.content, chain) && chain == link.chain;
  }

  void AddRecording(Finding what, int64_t id, std::string text) {
    recordingFindings_.push_back({what, id, 0, std::move(text)});
  }
  void AddEvent(Finding what, int64_t seq, std::string text) {
    eventFindings_.push_back({what, 0, seq, std::move(text)});
  }

  VerifyReport& report_;
  std::unordered_map<int64_t, Kept> kept_;
  std::vector<Link> links_;
  std::vector<VerifyFinding> recordingFindings_;
  std::vector<VerifyFinding> eventFindings_;
};

ArchiveStatus VerifySnapshot(ArchiveStore& store, Verifier& verifier) {
  ArchiveStatus status = store.ScanRecordings(
      [&](const Recording& recording) { return verifier.VisitRecording(recording); });
  if (!status.ok()) return status;
  status = store.ScanEvents({}, [&](const Event& event) { return verifier.VisitEvent(event); });
  if (!status.ok()) return status;
  ChainTip recorded;
  status = store.ReadChainTip(recorded);
  if (!status.ok()) return status;
  verifier.WalkChain(recorded);
  verifier.Finish();
  return {};
}

}  // namespace

const VerifyFinding* VerifyReport::FirstBrokenLink() const {
  for (const VerifyFinding& finding : findings) {
    if (finding.eventSeq != 0) return &finding;
  }
  return nullptr;
}

ArchiveStatus Verify(ArchiveStore& store, VerifyReport& report) {
  return WithoutExceptions([&] {
    report = VerifyReport{};
    Verifier verifier(report);
    ArchiveStatus status = store.BeginRead();
    if (!status.ok()) return status;
    status = VerifySnapshot(store, verifier);
    store.EndRead();
    return status;
  });
}

EventDraft VerifyDraft(const VerifyReport& report) {
  EventDraft draft;
  draft.kind = EventKind::Verify;
  const VerifyFinding* first = report.FirstBrokenLink();
  draft.details = {{"clean", report.Clean()},
                   {"recordings", report.recordings},
                   {"events", report.events},
                   {"findings", report.findings.size() + report.findingsLeftOut},
                   {"first_broken_link", first != nullptr ? first->text : ""},
                   {"chain_tip", HexOf(report.tip.hash)}};
  return draft;
}

}  // namespace zv::archive
