// A temperature limit as a user writes it on the command line: "8", "-2,5", "7.25".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zv::cli {

// The sensor's range, which a limit must lie in.
inline constexpr int kLowestLimitDegrees = -55;
inline constexpr int kHighestLimitDegrees = 125;

// Degrees with an optional sign and up to four decimals after a comma or a dot, exactly, in
// ten-thousandths of a degree; false for any other text or a value outside the sensor's range.
bool ParseLimitDegrees(std::string_view text, int32_t& tenThousandths);

// For a CLI11 validator: empty when the text is a limit, else the reason.
std::string CheckLimitDegrees(const std::string& text);

}  // namespace zv::cli
