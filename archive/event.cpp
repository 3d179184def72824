#include "archive/event.h"

#include <array>
#include <iterator>

#include "samples/civil_time.h"

namespace zv::archive {

namespace {

// The body's layout; a body of another format is not read as one of this.
constexpr int kBodyFormat = 1;

constexpr const char* kKindNames[] = {"download",     "import",       "info",
                                      "config_write", "file_written", "verify"};
static_assert(std::size(kKindNames) == static_cast<std::size_t>(EventKind::Verify) + 1);

using Json = nlohmann::json;

const Json* Member(const Json& object, const char* name, Json::value_t type) {
  const auto at = object.find(name);
  return at != object.end() && at->type() == type ? &*at : nullptr;
}

}  // namespace

const char* KindName(EventKind kind) {
  return kKindNames[static_cast<std::size_t>(kind)];
}

bool KindFromName(std::string_view name, EventKind& kind) {
  for (std::size_t k = 0; k < std::size(kKindNames); ++k) {
    if (name == kKindNames[k]) {
      kind = static_cast<EventKind>(k);
      return true;
    }
  }
  return false;
}

bool WriteEventBody(const EventDraft& draft, const Attribution& by, std::string& body) {
  std::array<uint8_t, 16> uid{};
  if (!RandomBytes(uid)) return false;
  char at[kTimeTextCapacity];
  TimeText(by.utc, 0, at);
  Json event = {{"format", kBodyFormat},
                {"uid", HexOf(uid)},
                {"kind", KindName(draft.kind)},
                {"at", at},
                {"utc_offset_s", by.utcOffset},
                {"time_zone", by.timeZone},
                {"user", by.user},
                {"host", by.host},
                {"program_version", by.programVersion},
                {"source", draft.source},
                {"details", draft.details}};
  if (draft.recording) event["recording"] = HexOf(*draft.recording);
  // Keys come out sorted, without spaces; a text that is not UTF-8 (a path's raw bytes) keeps
  // its readable part, since the body is JSON in every store.
  body = event.dump(-1, ' ', false, Json::error_handler_t::replace);
  return true;
}

Json ParseEventBody(std::string_view body) {
  return Json::parse(body, nullptr, false);
}

bool ReadEventColumns(std::string_view body, EventColumns& columns,
                      std::optional<Sha256Digest>& recording) {
  const Json event = ParseEventBody(body);
  if (!event.is_object()) return false;
  const Json* format = Member(event, "format", Json::value_t::number_unsigned);
  const Json* kind = Member(event, "kind", Json::value_t::string);
  const Json* at = Member(event, "at", Json::value_t::string);
  const Json* source = Member(event, "source", Json::value_t::string);
  if (format == nullptr || format->get<int>() != kBodyFormat || kind == nullptr || at == nullptr ||
      source == nullptr || !KindFromName(kind->get_ref<const std::string&>(), columns.kind)) {
    return false;
  }
  StartTime time;
  if (ParseStartTime(at->get_ref<const std::string&>(), time) != StartTimeError::None ||
      time.localZone) {
    return false;
  }
  columns.atUtc = time.utc;
  columns.source = source->get<std::string>();
  recording.reset();
  if (const auto named = event.find("recording"); named != event.end()) {
    Sha256Digest digest;
    if (!named->is_string() || !DigestFromHex(named->get_ref<const std::string&>(), digest)) {
      return false;
    }
    recording = digest;
  }
  return true;
}

bool ContentHash(std::string_view body, Sha256Digest& content) {
  return Sha256Of(body, content);
}

bool ChainHash(const Sha256Digest& previous, const Sha256Digest& content, Sha256Digest& chain) {
  Sha256 hash;
  hash.Add(previous);
  hash.Add(content);
  return hash.Finish(chain);
}

}  // namespace zv::archive
