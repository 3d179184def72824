// The events a command records, each with the facts of its kind, so that every command writes
// them alike. Downloads and imports are recorded by keeping them (keep.h); a verification by
// VerifyDraft (verify.h).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "archive/event.h"
#include "base/info_tab.h"

namespace zv::archive {

// The logger's table read on `port` ("info").
EventDraft InfoDraft(std::string_view port, const INFO_TAB& table);

// A question of the configuration write and the answer given ("erase": "yes").
using Answer = std::pair<std::string, std::string>;

// A configuration write on `port`: the table before and the one sent, every answer given, and
// how it ended in the command's own words ("stored", "unconfirmed", "not_written").
EventDraft ConfigWriteDraft(std::string_view port, const INFO_TAB& before, const INFO_TAB& after,
                            const std::vector<Answer>& answers, std::string_view outcome);

// A file written by `command` ("read", "report", "archive export"): its path, its format
// ("txt", "csv", "json", "pdf", "svg", "png"), its SHA-256, and the recording it was made from.
EventDraft FileWrittenDraft(std::string_view command, std::string_view path,
                            std::string_view format, const Sha256Digest& fileSha256,
                            const std::optional<Sha256Digest>& recording);

// A file checked against the archive (`verify FILE`): its path, its kind ("text_export",
// "report_json", "report_pdf"), its SHA-256, the result ("matches", "differs", "not_found"),
// how many places differ, and the original it was checked against when one was found.
EventDraft FileVerifyDraft(std::string_view path, std::string_view kind,
                           const Sha256Digest& fileSha256, std::string_view result,
                           std::size_t differences, const std::optional<Sha256Digest>& original);

}  // namespace zv::archive
