// The serial ports of a Mac: its call-out devices /dev/cu.*. A USB adapter's driver puts
// "usb" in the name (cu.usbserial-A50285BI, cu.usbmodem1101, cu.SLAB_USBtoUART).
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "cli/posix/serial_ports_posix.h"

namespace zv::cli {

namespace fs = std::filesystem;

namespace {

bool NamesUsb(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name.find("usb") != std::string::npos;
}

}  // namespace

std::vector<SerialPort> ListMacPorts(const PortRoots& roots, const Identity& who) {
  std::vector<SerialPort> ports;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(fs::path(roots.dev), error)) {
    const std::string file = entry.path().filename().string();
    if (file.rfind("cu.", 0) != 0) continue;
    SerialPort port;
    port.name = entry.path().string();
    port.kind = NamesUsb(file) ? PortKind::Usb : PortKind::Other;
    SetAccess(port, port.name, who);
    ports.push_back(std::move(port));
  }
  std::sort(ports.begin(), ports.end(),
            [](const SerialPort& a, const SerialPort& b) { return NameOrder(a.name, b.name); });
  return ports;
}

}  // namespace zv::cli
