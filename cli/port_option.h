// The port a command connects to, and why it could not be opened.
#pragma once

#include <cstdio>
#include <string>

#include "link/open_failure.h"

namespace zv::cli {

// The name to open for what --port was given: "auto" is the one USB serial port present,
// anything else the platform's own name for it. Returns kExitOk, or kExitUsage after printing
// why (for auto: the ports it found).
int ResolvePort(const std::string& given, std::string& port);

// One line after the port's own message: what the failing call said of `port`.
void ReportOpenFailure(std::FILE* out, const std::string& port, const OpenFailure& failure);

}  // namespace zv::cli
