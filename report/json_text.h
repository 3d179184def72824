// A JSON string from untrusted UTF-8, for the listings still joined by hand; a document is
// built as one and dumped by report/json_document.h.
#pragma once

#include <string>
#include <string_view>

namespace zv {

// A JSON string literal of `utf8`, quotes included: '"' and '\' escaped, every unsafe
// character (controls, direction controls; see base/safe_text.h) as \uXXXX, and each byte
// that is not valid UTF-8 as \ufffd.
std::string JsonString(std::string_view utf8);

}  // namespace zv
