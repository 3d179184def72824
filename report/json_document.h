// The one way a small JSON document is written (a report's figures, the logger's table, the
// ports): built as an nlohmann::json value and dumped here. A large one, the readings of a
// whole memory, streams through samples/export_json.h instead.
#pragma once

#include <nlohmann/json_fwd.hpp>
#include <string>

namespace zv {

// The document on one line, without a line end. A text that is not UTF-8 keeps its readable
// part, each bad byte becoming U+FFFD; every character base/safe_text.h calls unsafe (controls,
// DEL, C1, the direction controls, the line and paragraph separators, U+FFFE and U+FFFF) is
// written as \uXXXX, so that no terminal or editor showing the JSON obeys it. An ordered
// document keeps its members in the order they were added, the other sorts them by name.
// With `indent` >= 0 the document is laid out one member a line, `indent` spaces a level, for a
// listing a person reads.
std::string DumpJson(const nlohmann::json& document, int indent = -1);
std::string DumpJson(const nlohmann::ordered_json& document, int indent = -1);

}  // namespace zv
