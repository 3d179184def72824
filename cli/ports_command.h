// zorvant-cli ports: the serial ports present, one a line (or JSON), and the port list that
// --port auto prints when it cannot choose.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdio>
#include <vector>

#include "cli/serial_ports.h"

namespace zv::cli {

struct PortsOptions {
  bool json = false;
};

CLI::App* AddPortsCommand(CLI::App& app, PortsOptions& options);
int RunPorts(const PortsOptions& options);

// One line a port: its name, what it is, and whether this user may open it.
void PrintPortsText(std::FILE* out, const std::vector<SerialPort>& ports);
void PrintPortsJson(std::FILE* out, const std::vector<SerialPort>& ports);

}  // namespace zv::cli
