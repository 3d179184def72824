// The alarm limits a command takes: --low and --high for every channel, or --low-a, --high-a,
// --low-b and --high-b for a logger with two compartments (a fridge on A, a freezer on B).
// Each is parsed once, as it is read, into an exact limit; the pairs are checked once all are.
#pragma once

#include <CLI/CLI.hpp>

#include "samples/recording_stats.h"

namespace zv::cli {

// Adds the six options, writing into `limits`; `meaning` ends each help text. --low excludes
// --low-a and --low-b, --high the other two. Returns the options, so that a command can tie
// them to another one.
std::vector<CLI::Option*> AddLimitOptions(CLI::App& command, ChannelLimits& limits,
                                          const char* meaning);

// Throws CLI::ValidationError when a channel's low limit is not below its high one, or when
// no reading the sensor can give (a whole sixteenth of a degree) lies between them.
void CheckLimitPairs(const ChannelLimits& limits);

// True when either channel B limit differs from channel A's, for the warning that a
// one-channel logger has none.
bool HasChannelBLimits(const ChannelLimits& limits);

}  // namespace zv::cli
