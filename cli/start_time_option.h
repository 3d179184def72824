// --started-at as the commands take it: checked by one validator, explained by one text.
#pragma once

#include <string>

namespace zv::cli {

// What --started-at accepts and what it means, for the help of every command that takes it.
inline constexpr char kStartTimeForm[] = "YYYY-MM-DDTHH:MM:SS[Z|+HH:MM]";
inline constexpr char kStartTimeMeaning[] =
    "When the first sample was taken, as 2026-12-01T08:00:00 (a local time of the system's time "
    "zone: each slot's time then follows its daylight-saving rules, and a time the clock skips "
    "or shows twice is refused) or with Z or an offset (2026-12-01T08:00:00+01:00); every time "
    "is written with its own offset. The logger keeps no clock: this is your statement of when "
    "the recording started, not something it reports.";

// Empty when `text` is a start time; else why not, for the option's error.
std::string CheckStartTime(const std::string& text);

}  // namespace zv::cli
