// --channels as chart and report take it: which traces or columns the user asks for, parsed
// once, and the one rule for a one-channel logger asked for channel B.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>

namespace zv::cli {

struct ChannelChoice {
  bool a = true;
  bool b = true;
};

// Adds --channels: a, b or ab (the default).
CLI::Option* AddChannelsOption(CLI::App& command, ChannelChoice& choice, const std::string& help);

// A one-channel logger has no channel B: asked for B alone, the command uses A and says so on
// stderr ("zorvant-cli <command>: a one-channel logger has no channel B; A is <what>").
void WarnWhenNoChannelB(const ChannelChoice& choice, uint8_t channelMode, const char* command,
                        const char* what);

}  // namespace zv::cli
