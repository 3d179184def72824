#include "samples/civil_time.h"

#include <cstdio>
#include <ctime>

namespace zv {

namespace {

constexpr int32_t kLongestOffset = 23 * 3600 + 59 * 60;

bool IsLeap(int64_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned DaysInMonth(int64_t year, unsigned month) {
  constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 in the proleptic Gregorian calendar, counted in 400-year eras.
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

struct CivilDate {
  int64_t year;
  unsigned month;
  unsigned day;
};

CivilDate CivilFromDays(int64_t days) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
  const unsigned day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
  const unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
  return {static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// `count` digits at `at`; false when any is not a digit.
bool Digits(std::string_view text, std::size_t at, std::size_t count, unsigned& value) {
  value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
  }
  return true;
}

struct WallTime {
  unsigned year, month, day, hour, minute, second;
};

// None, Malformed for a text not of the form, NoSuchTime for a form naming no date or time.
StartTimeError ReadWallTime(std::string_view text, WallTime& t) {
  if (text.size() < 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':') {
    return StartTimeError::Malformed;
  }
  if (!(Digits(text, 0, 4, t.year) && Digits(text, 5, 2, t.month) && Digits(text, 8, 2, t.day) &&
        Digits(text, 11, 2, t.hour) && Digits(text, 14, 2, t.minute) &&
        Digits(text, 17, 2, t.second))) {
    return StartTimeError::Malformed;
  }
  const bool exists = t.month >= 1 && t.month <= 12 && t.day >= 1 &&
                      t.day <= DaysInMonth(t.year, t.month) && t.hour <= 23 && t.minute <= 59 &&
                      t.second <= 59;
  return exists ? StartTimeError::None : StartTimeError::NoSuchTime;
}

// "Z", "+HH:MM" or "-HH:MM" after the wall time; false for anything else.
bool ReadOffset(std::string_view zone, int32_t& offset, bool& inRange) {
  if (zone == "Z") {
    offset = 0;
    return inRange = true;
  }
  unsigned hours = 0, minutes = 0;
  if (zone.size() != 6 || (zone[0] != '+' && zone[0] != '-') || zone[3] != ':' ||
      !Digits(zone, 1, 2, hours) || !Digits(zone, 4, 2, minutes)) {
    return false;
  }
  offset = static_cast<int32_t>(hours * 3600 + minutes * 60) * (zone[0] == '-' ? -1 : 1);
  inRange = minutes <= 59 && offset <= kLongestOffset && offset >= -kLongestOffset;
  return true;
}

// The local wall time `utc` shows in the system's zone, as seconds read as UTC; false when the
// platform cannot tell (a time before 1970 on some systems).
bool LocalWallSeconds(int64_t utc, int64_t& wall) {
  const std::time_t t = static_cast<std::time_t>(utc);
  const std::tm* local = std::localtime(&t);  // one thread: the static result is ours
  if (local == nullptr) return false;
  wall =
      SecondsFromCivil(local->tm_year + 1900LL, static_cast<unsigned>(local->tm_mon + 1),
                       static_cast<unsigned>(local->tm_mday), static_cast<unsigned>(local->tm_hour),
                       static_cast<unsigned>(local->tm_min), static_cast<unsigned>(local->tm_sec));
  return true;
}

// The instants at which the local clock shows `wall`: every zone's offset lies within a day,
// and a change of offset is the only way a wall time is skipped or repeated, so the candidates
// are the wall time less each offset in force around it.
StartTimeError ResolveLocal(int64_t wall, int64_t& utc) {
  int found = 0;
  int64_t first = 0;
  for (int64_t probe : {wall - kSecondsPerDay, wall, wall + kSecondsPerDay}) {
    int64_t shown = 0;
    if (!LocalWallSeconds(probe, shown)) continue;
    const int64_t candidate = wall - (shown - probe);
    int64_t check = 0;
    if (!LocalWallSeconds(candidate, check) || check != wall) continue;
    if (found == 0 || candidate != first) {
      if (found == 1) return StartTimeError::RepeatedLocal;
      first = candidate;
      found = 1;
    }
  }
  if (found == 0) return StartTimeError::SkippedLocal;
  utc = first;
  return StartTimeError::None;
}

}  // namespace

int64_t SecondsFromCivil(int64_t year, unsigned month, unsigned day, unsigned hour, unsigned minute,
                         unsigned second) {
  return DaysFromCivil(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

StartTimeError ParseStartTime(std::string_view text, StartTime& out) {
  WallTime t{};
  if (const StartTimeError read = ReadWallTime(text, t); read != StartTimeError::None) return read;
  if (t.year < kFirstStartYear || t.year > kLastStartYear) return StartTimeError::OutOfRange;
  const int64_t wall = SecondsFromCivil(t.year, t.month, t.day, t.hour, t.minute, t.second);
  const std::string_view zone = text.substr(19);
  StartTime start;
  if (zone.empty()) {
    start.localZone = true;
    const StartTimeError resolved = ResolveLocal(wall, start.utc);
    if (resolved != StartTimeError::None) return resolved;
  } else {
    bool inRange = false;
    if (!ReadOffset(zone, start.fixedOffset, inRange)) return StartTimeError::Malformed;
    if (!inRange) return StartTimeError::OutOfRange;
    start.utc = wall - start.fixedOffset;
  }
  out = start;
  return StartTimeError::None;
}

const char* StartTimeErrorText(StartTimeError error) {
  switch (error) {
    case StartTimeError::None:
      return "";
    case StartTimeError::Malformed:
      return "expected YYYY-MM-DDTHH:MM:SS, optionally with Z or an offset such as +01:00";
    case StartTimeError::NoSuchTime:
      return "no such day or time in the calendar (a month of 1-12, a day the month has, "
             "00:00:00-23:59:59)";
    case StartTimeError::OutOfRange:
      return "the year must lie between 1900 and 9989, an offset within +-23:59";
    case StartTimeError::SkippedLocal:
      return "the local clock skips this time (a daylight-saving change): give an offset";
    case StartTimeError::RepeatedLocal:
      return "the local clock shows this time twice (a daylight-saving change): give an offset";
  }
  return "";
}

int32_t OffsetAt(const StartTime& start, int64_t utc) {
  if (!start.localZone) return start.fixedOffset;
  int64_t wall = 0;
  if (!LocalWallSeconds(utc, wall)) return 0;
  return static_cast<int32_t>(wall - utc);
}

std::size_t OffsetText(int32_t offset, char (&out)[kOffsetTextCapacity]) {
  const int32_t magnitude = offset < 0 ? -offset : offset;
  const int hours = magnitude / 3600;
  const int minutes = magnitude / 60 % 60;
  const int seconds = magnitude % 60;
  const char sign = offset < 0 ? '-' : '+';
  const int length =
      seconds == 0
          ? std::snprintf(out, sizeof out, "%c%02d:%02d", sign, hours, minutes)
          : std::snprintf(out, sizeof out, "%c%02d:%02d:%02d", sign, hours, minutes, seconds);
  return length < 0 ? 0 : static_cast<std::size_t>(length);
}

std::size_t TimeText(int64_t utc, int32_t offset, char (&out)[kTimeTextCapacity]) {
  const int64_t wall = utc + offset;
  int64_t days = wall / kSecondsPerDay;
  int64_t rest = wall % kSecondsPerDay;
  if (rest < 0) {
    rest += kSecondsPerDay;
    --days;
  }
  const CivilDate date = CivilFromDays(days);
  char zone[kOffsetTextCapacity];
  OffsetText(offset, zone);
  const int length = std::snprintf(out, sizeof out, "%04lld-%02u-%02uT%02d:%02d:%02d%s",
                                   static_cast<long long>(date.year), date.month, date.day,
                                   static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60),
                                   static_cast<int>(rest % 60), zone);
  return length < 0 ? 0 : static_cast<std::size_t>(length);
}

}  // namespace zv
