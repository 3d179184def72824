// An event of the audit trail and its place in the chain.
//
// An event is one JSON object, its body, written once and stored verbatim: every store hashes
// the same bytes. Its content hash is SHA-256(body); its chain hash is
// SHA-256(previous event's chain hash ‖ content hash), the first event's previous hash being 32
// zero bytes. An edited, removed, inserted or reordered row therefore breaks the chain, and an
// event copied into another archive is proven the same by its content hash (the body carries a
// random id, so no two events share one) while it is linked into that archive's chain anew.
//
// The body references a recording by its SHA-256, never by an archive's own number, so it
// means the same in every archive.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "archive/attribution.h"
#include "archive/crypto.h"

namespace zv::archive {

enum class EventKind : uint8_t {
  Download,     // a recording downloaded from a logger and kept
  Import,       // an export file kept as an imported recording
  Info,         // the logger's table read
  ConfigWrite,  // a configuration written: the table before and after, the answers given
  FileWritten,  // an export, report or chart written: path, format, the file's SHA-256
  Verify,       // the archive verified, and what was found
};

const char* KindName(EventKind kind);  // "download", "import", "info", "config_write", ...
bool KindFromName(std::string_view name, EventKind& kind);

// What a caller hands in: the kind, the recording it concerns, the port or file it came from
// or went to, and the kind's own facts (see event_drafts.h for each kind's).
struct EventDraft {
  EventKind kind = EventKind::Info;
  std::optional<Sha256Digest> recording;
  std::string source;
  nlohmann::json details = nlohmann::json::object();
};

// What the stores index an event by, all read from its body.
struct EventColumns {
  EventKind kind = EventKind::Info;
  int64_t atUtc = 0;
  std::string source;

  bool operator==(const EventColumns&) const = default;
};

// An event as a store holds it.
struct Event {
  int64_t seq = 0;          // its place in the chain, from 1, without gaps
  int64_t recordingId = 0;  // the store's number of the recording it concerns; 0 for none
  EventColumns columns;
  std::string body;
  Sha256Digest contentHash{};
  Sha256Digest chainHash{};
};

// The body of a new event: the draft with the attribution and a fresh random id. False when
// no random id can be had.
bool WriteEventBody(const EventDraft& draft, const Attribution& by, std::string& body);

// The columns a body gives, and the recording it names (by its hash); false when it is not an
// event body of ours.
bool ReadEventColumns(std::string_view body, EventColumns& columns,
                      std::optional<Sha256Digest>& recording);

// The body as a JSON value, for a command that prints the trail; a discarded value when it is
// not JSON.
nlohmann::json ParseEventBody(std::string_view body);

// The newest event of the chain: its number and chain hash (0 and zero bytes when empty).
struct ChainTip {
  int64_t seq = 0;
  Sha256Digest hash{};

  bool operator==(const ChainTip&) const = default;
};

bool ContentHash(std::string_view body, Sha256Digest& content);
bool ChainHash(const Sha256Digest& previous, const Sha256Digest& content, Sha256Digest& chain);

}  // namespace zv::archive
