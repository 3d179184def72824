// zorvant-cli ports: the serial ports present, one a line (or JSON).
#pragma once

#include <CLI/CLI.hpp>

namespace zv::cli {

struct PortsOptions {
  bool json = false;
};

CLI::App* AddPortsCommand(CLI::App& app, PortsOptions& options);
int RunPorts(const PortsOptions& options);

}  // namespace zv::cli
