// The port a command connects to, and why it could not be opened.
#pragma once

#include <cstdio>
#include <string>

#include "link/open_failure.h"

namespace zv::cli {

// What --port takes, for every command that connects.
inline constexpr char kPortHelp[] =
    "Serial port: a device path (Linux, macOS) or COM1..COM255 (Windows); auto: the one USB "
    "serial port present ('zorvant-cli ports' lists them)";

// The name to open for what --port was given: "auto" is the one USB serial port present,
// anything else the platform's own name for it. Returns kExitOk, or kExitUsage after printing
// why (for auto: the ports it found).
int ResolvePort(const std::string& given, std::string& port);

// One line after the port's own message: what the failing call said of `port`.
void ReportOpenFailure(std::FILE* out, const std::string& port, const OpenFailure& failure);

}  // namespace zv::cli
