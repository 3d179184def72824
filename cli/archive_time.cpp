// The archive commands' times: UTC in, UTC out, through the standard calendar.
#include <chrono>
#include <cstdio>

#include "cli/archive_command.h"

namespace zv::cli {

bool ParseUtcDate(const std::string& text, int64_t& utc) {
  int y = 0;
  unsigned m = 0, d = 0, hh = 0, mm = 0, ss = 0;
  char tail = 0;
  int used = 0;
  if (text.size() == 10) {
    if (std::sscanf(text.c_str(), "%4d-%2u-%2u%n", &y, &m, &d, &used) != 3 || used != 10) {
      return false;
    }
  } else if (text.size() == 20) {
    if (std::sscanf(text.c_str(), "%4d-%2u-%2uT%2u:%2u:%2u%c%n", &y, &m, &d, &hh, &mm, &ss, &tail,
                    &used) != 7 ||
        used != 20 || tail != 'Z' || hh > 23 || mm > 59 || ss > 59) {
      return false;
    }
  } else {
    return false;
  }
  const std::chrono::year_month_day date{std::chrono::year(y), std::chrono::month(m),
                                         std::chrono::day(d)};
  if (!date.ok()) return false;
  const auto seconds = std::chrono::sys_days(date).time_since_epoch() + std::chrono::hours(hh) +
                       std::chrono::minutes(mm) + std::chrono::seconds(ss);
  utc = std::chrono::duration_cast<std::chrono::seconds>(seconds).count();
  return true;
}

std::string UtcText(int64_t utc) {
  const std::chrono::sys_seconds at{std::chrono::seconds(utc)};
  const auto day = std::chrono::floor<std::chrono::days>(at);
  const std::chrono::year_month_day date{day};
  const std::chrono::hh_mm_ss time{at - day};
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

}  // namespace zv::cli
