// A local date and time as a user states it, "2026-12-01T08:00:00" (ISO 8601, no zone: the
// logger keeps no clock, so the start of a recording is whatever the user says it was).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zv {

// Years accepted for a start: a full memory at the longest interval spans under ten years,
// so every slot's time still has a four-digit year.
inline constexpr int kFirstStartYear = 1900;
inline constexpr int kLastStartYear = 9989;

// Seconds from 1970-01-01T00:00:00 of exactly "YYYY-MM-DDTHH:MM:SS"; false for any other
// form, a date that does not exist, or a year outside the accepted ones.
bool ParseLocalTime(std::string_view text, int64_t& seconds);

inline constexpr std::size_t kLocalTimeTextCapacity = 20;

// The same form back; returns its length (19 for the years above).
std::size_t LocalTimeText(int64_t seconds, char (&out)[kLocalTimeTextCapacity]);

}  // namespace zv
