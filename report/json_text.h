// Pieces of a JSON document: strings from untrusted UTF-8, and numbers from fixed points.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zv {

// A JSON string literal of `utf8`, quotes included: '"' and '\' escaped, every unsafe
// character (controls, direction controls; see base/safe_text.h) as \uXXXX, and each byte
// that is not valid UTF-8 as \ufffd.
std::string JsonString(std::string_view utf8);

// A number with `decimals` places from an integer count of 10^-decimals: (-625, 4) is
// "-0.0625".
std::string JsonFixed(int64_t scaled, int decimals);

}  // namespace zv
