#include "cli/ports_command.h"

#include "cli/exit_codes.h"
#include "cli/ports_listing.h"
#include "cli/process_guard.h"

namespace zv::cli {

CLI::App* AddPortsCommand(CLI::App& app, PortsOptions& options) {
  auto* ports = app.add_subcommand(
      "ports",
      "List the serial ports present: the name to give --port, what is known of each (USB ids, "
      "maker, product, serial number), and whether you may open it.");
  ports->add_flag("--json", options.json, "Print a JSON array instead of text");
  return ports;
}

int RunPorts(const PortsOptions& options) {
  if (RefuseClosedStdout("ports")) return kExitFileNotWritten;
  const std::vector<SerialPort> ports = ListSerialPorts(PortRoots::FromEnvironment());
  if (options.json) {
    PrintPortsJson(stdout, ports);
  } else if (ports.empty()) {
    std::fputs("zorvant-cli ports: no serial port found\n", stderr);
  } else {
    PrintPortsText(stdout, ports);
  }
  return kExitOk;
}

}  // namespace zv::cli
