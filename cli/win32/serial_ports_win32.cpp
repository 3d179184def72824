// The serial ports of a Windows machine, from its device map. The built-in serial driver's
// ports are \Device\Serial<n>; a port any other driver serves is counted as an adapter's.
#include <algorithm>
#include <string_view>

#include "cli/serial_ports.h"
#include "link/com_ports.h"
#include "link/serial_comm_win32.h"

namespace zv::cli {

namespace {

bool BuiltIn(std::string_view device) {
  constexpr std::string_view kBuiltIn = "\\Device\\Serial";
  if (device.substr(0, kBuiltIn.size()) != kBuiltIn || device.size() == kBuiltIn.size()) {
    return false;
  }
  return device.find_first_not_of("0123456789", kBuiltIn.size()) == std::string_view::npos;
}

class PortCollector final : public SerialCommVisitor {
 public:
  void Port(const char* device, const char* name) override {
    if (ComNumberOf(name) == 0) return;
    SerialPort port;
    port.name = name;
    port.driver = device;
    port.kind = BuiltIn(device) ? PortKind::Uart : PortKind::Usb;
    ports.push_back(std::move(port));
  }
  std::vector<SerialPort> ports;
};

}  // namespace

std::vector<SerialPort> ListSerialPorts(const PortRoots&) {
  PortCollector collector;
  VisitSerialCommMap(collector);
  std::sort(collector.ports.begin(), collector.ports.end(),
            [](const SerialPort& a, const SerialPort& b) { return NameOrder(a.name, b.name); });
  return collector.ports;
}

bool PlatformPortName(const std::string& given, std::string& name, std::string& error) {
  char device[16];
  if (!DeviceNameOf(ComNumberOf(given), device, sizeof device)) {
    error = "--port: a COM port, COM1 to COM255 (or \\\\.\\COMn), or auto; got " + given;
    return false;
  }
  name = device;
  return true;
}

}  // namespace zv::cli
