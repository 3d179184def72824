// The listings of Linux and macOS, both built on every POSIX system so that each is tested
// against a fake tree wherever the tests run.
#pragma once

#include "cli/posix/port_access_posix.h"
#include "cli/serial_ports.h"

namespace zv::cli {

std::vector<SerialPort> ListLinuxPorts(const PortRoots& roots, const Identity& who);
// macOS names each port twice; /dev/cu.* is the one to open (tty.* waits for a carrier).
std::vector<SerialPort> ListMacPorts(const PortRoots& roots, const Identity& who);

// Whether `who` may open the port's device node, and if not why.
void SetAccess(SerialPort& port, const std::string& node, const Identity& who);

}  // namespace zv::cli
