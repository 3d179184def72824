// The start of a recording as a user states it, and the time of each slot after it. The logger
// keeps no clock: "--started-at" is the user's word for when slot 0 was taken.
//
// Accepted: "YYYY-MM-DDTHH:MM:SS" followed by "Z" or an offset "+HH:MM"/"-HH:MM" (the times are
// then written at that offset), or with nothing after it: a local time of the system's time
// zone, resolved with its daylight-saving rules (the times then follow those rules, each
// written with the offset in force at that moment: ...T01:59:00+01:00, then ...T03:00:00+02:00).
// A local time the clock skips, or one it shows twice, is refused: give an offset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zv {

// Years accepted for a start: a full memory at the longest interval spans under ten years,
// so every slot's time still has a four-digit year.
inline constexpr int kFirstStartYear = 1900;
inline constexpr int kLastStartYear = 9989;

inline constexpr int64_t kSecondsPerDay = 86400;

// A start further than this from 1970, either way, gives no slot times: far beyond every
// accepted year, and near enough that a start plus a recording's span or an offset never
// overflows.
inline constexpr int64_t kLargestStart = int64_t{1} << 50;

struct StartTime {
  int64_t utc = 0;          // seconds since 1970-01-01T00:00:00Z
  bool localZone = false;   // offsets follow the system's time zone
  int32_t fixedOffset = 0;  // seconds east of UTC, when not localZone
};

enum class StartTimeError : uint8_t {
  None,
  Malformed,      // not the form above
  NoSuchTime,     // the form, but a date or time that does not exist (2026-02-30)
  OutOfRange,     // a year outside the accepted ones, or an offset beyond +-23:59
  SkippedLocal,   // the local clock jumps over it (the spring change)
  RepeatedLocal,  // the local clock shows it twice (the autumn change)
};

StartTimeError ParseStartTime(std::string_view text, StartTime& out);

// What a refusal means, for a message.
const char* StartTimeErrorText(StartTimeError error);

// Seconds east of UTC in force at `utc` in the start's frame.
int32_t OffsetAt(const StartTime& start, int64_t utc);

// 1937-06-30T23:59:59+00:19:32 and a NUL.
inline constexpr std::size_t kTimeTextCapacity = 29;

// "2026-03-29T01:59:00+01:00": the wall time at `offset` and the offset; an offset of whole
// minutes is written as hours and minutes, any other with its seconds ("+00:19:32", as local
// mean time and some TZ rules give it), so that the text names the very instant. Returns the
// length.
std::size_t TimeText(int64_t utc, int32_t offset, char (&out)[kTimeTextCapacity]);

// The offset alone, as TimeText ends: "+01:00" or "+00:19:32". Returns the length.
inline constexpr std::size_t kOffsetTextCapacity = 16;
std::size_t OffsetText(int32_t offset, char (&out)[kOffsetTextCapacity]);

// Seconds since 1970 of a date and time read as UTC; the calendar arithmetic the above share.
int64_t SecondsFromCivil(int64_t year, unsigned month, unsigned day, unsigned hour, unsigned minute,
                         unsigned second);

}  // namespace zv
