#include "cli/degree_option.h"

namespace zv::cli {

namespace {

constexpr int kMaxIntegerDigits = 3;
constexpr int kMaxDecimals = 4;

// Digits at `at` (at most `most`, at least one) into value; advances `at`.
bool ReadDigits(std::string_view text, std::size_t& at, int most, int64_t& value, int& count) {
  value = 0;
  count = 0;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
    if (++count > most) return false;
    value = value * 10 + (text[at++] - '0');
  }
  return count > 0;
}

}  // namespace

bool ParseLimitDegrees(std::string_view text, int32_t& tenThousandths) {
  std::size_t at = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++at;
  int64_t whole = 0;
  int digits = 0;
  if (!ReadDigits(text, at, kMaxIntegerDigits, whole, digits)) return false;
  int64_t fraction = 0;
  int decimals = 0;
  if (at < text.size() && (text[at] == ',' || text[at] == '.')) {
    ++at;
    if (!ReadDigits(text, at, kMaxDecimals, fraction, decimals)) return false;
  }
  if (at != text.size()) return false;
  for (int i = decimals; i < kMaxDecimals; ++i) fraction *= 10;
  const int64_t magnitude = whole * 10000 + fraction;
  const int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue < kLowestLimitDegrees * 10000 || signedValue > kHighestLimitDegrees * 10000) {
    return false;
  }
  tenThousandths = static_cast<int32_t>(signedValue);
  return true;
}

std::string CheckLimitDegrees(const std::string& text) {
  int32_t tenThousandths = 0;
  if (ParseLimitDegrees(text, tenThousandths)) return {};
  return "expected degrees from -55 to 125 (such as 8, -2,5 or 7.25), got " + text;
}

}  // namespace zv::cli
