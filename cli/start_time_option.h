// --started-at as the commands take it: parsed once into a start time by the option itself,
// explained by one text.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "samples/civil_time.h"

namespace zv::cli {

// What --started-at accepts and what it means, for the help of every command that takes it.
inline constexpr char kStartTimeForm[] = "YYYY-MM-DDTHH:MM:SS[Z|+HH:MM]";
inline constexpr char kStartTimeMeaning[] =
    "When the first sample was taken, as 2026-12-01T08:00:00 (a local time of the system's time "
    "zone: each slot's time then follows its daylight-saving rules, and a time the clock skips "
    "or shows twice is refused) or with Z or an offset (2026-12-01T08:00:00+01:00); every time "
    "is written with its own offset. The logger keeps no clock: this is your statement of when "
    "the recording started, not something it reports.";

// Adds --started-at; a text that names no time is a usage error that says why.
CLI::Option* AddStartTimeOption(CLI::App& command, std::optional<StartTime>& start,
                                const std::string& help);

}  // namespace zv::cli
