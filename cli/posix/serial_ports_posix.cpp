// The listing this system uses, the access of a node, and the --port names of Linux and macOS.
#include "cli/posix/serial_ports_posix.h"

namespace zv::cli {

void SetAccess(SerialPort& port, const std::string& node, const Identity& who) {
  const AccessVerdict verdict = CheckAccess(node, who);
  if (!verdict.exists) {
    port.access = PortAccess::NoNode;
    port.accessNote = "no device node " + node;
    return;
  }
  port.access = verdict.allowed ? PortAccess::Allowed : PortAccess::Denied;
  port.accessNote = verdict.note;
}

std::vector<SerialPort> ListSerialPorts(const PortRoots& roots) {
#ifdef __APPLE__
  return ListMacPorts(roots, Identity::Current());
#else
  return ListLinuxPorts(roots, Identity::Current());
#endif
}

bool PlatformPortName(const std::string& given, std::string& name, std::string& error) {
  if (given.empty()) {
    error = "--port: give a device path, or auto";
    return false;
  }
  name = given;
  return true;
}

}  // namespace zv::cli
