#include "archive/event_drafts.h"

#include "base/wire.h"

namespace zv::archive {

namespace {
std::string TableHex(const INFO_TAB& table) {
  return HexOf(std::span<const uint8_t>(table.bytes, kInfoTabSize));
}
}  // namespace

EventDraft InfoDraft(std::string_view port, const INFO_TAB& table) {
  EventDraft draft;
  draft.kind = EventKind::Info;
  draft.source = port;
  draft.details = {{"info_tab", TableHex(table)}};
  return draft;
}

EventDraft ConfigWriteDraft(std::string_view port, const INFO_TAB& before, const INFO_TAB& after,
                            const std::vector<Answer>& answers, std::string_view outcome) {
  EventDraft draft;
  draft.kind = EventKind::ConfigWrite;
  draft.source = port;
  nlohmann::json given = nlohmann::json::object();
  for (const auto& [question, answer] : answers) given[question] = answer;
  draft.details = {{"table_before", TableHex(before)},
                   {"table_after", TableHex(after)},
                   {"answers", given},
                   {"outcome", outcome}};
  return draft;
}

EventDraft FileWrittenDraft(std::string_view command, std::string_view path,
                            std::string_view format, const Sha256Digest& fileSha256,
                            const std::optional<Sha256Digest>& recording) {
  EventDraft draft;
  draft.kind = EventKind::FileWritten;
  draft.source = path;
  draft.recording = recording;
  draft.details = {{"command", command}, {"format", format}, {"sha256", HexOf(fileSha256)}};
  return draft;
}

EventDraft FileVerifyDraft(std::string_view path, std::string_view kind,
                           const Sha256Digest& fileSha256, std::string_view result,
                           std::size_t differences, const std::optional<Sha256Digest>& original) {
  EventDraft draft;
  draft.kind = EventKind::Verify;
  draft.source = path;
  draft.recording = original;
  draft.details = {{"file_kind", kind},
                   {"file_sha256", HexOf(fileSha256)},
                   {"result", result},
                   {"differences", differences}};
  return draft;
}

}  // namespace zv::archive
