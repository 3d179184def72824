// The serial ports of a Linux machine, from sysfs: every tty with a device behind it, less the
// built-in UART slots that serial_core reports with no UART (type 0); USB details from the USB
// device above the tty; stable names from /dev/serial/by-id.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "cli/port_access_posix.h"
#include "cli/serial_ports_posix.h"

namespace zv::cli {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kLongestAttribute = 256;  // sysfs texts are short; the rest is cut

// A sysfs attribute's text without its line break; empty when there is none.
std::string Attribute(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string text(kLongestAttribute, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  while (!text.empty() && (text.back() == '\n' || text.back() == '\0')) text.pop_back();
  return text;
}

// The USB device above a tty's device (the folder with idVendor), never above the sysfs root.
fs::path UsbDeviceAbove(fs::path device, const fs::path& root) {
  std::error_code error;
  for (; !device.empty() && device != root && device != device.root_path();
       device = device.parent_path()) {
    if (fs::exists(device / "idVendor", error)) return device;
  }
  return {};
}

// The driver of the tty's device, or of the first device above it that has one of its own:
// newer kernels put serial_core's own port and controller devices (bus serial-base) between.
std::string DriverOf(fs::path device, const fs::path& root) {
  std::error_code error;
  for (; !device.empty() && device != root && device != device.root_path();
       device = device.parent_path()) {
    const fs::path bus = fs::read_symlink(device / "subsystem", error).filename();
    if (!error && bus == "serial-base") continue;
    const fs::path driver = fs::read_symlink(device / "driver", error);
    if (!error) return driver.filename().string();
  }
  return {};
}

void AddUsbDetails(SerialPort& port, const fs::path& usb) {
  port.kind = PortKind::Usb;
  port.vendorId = Attribute(usb / "idVendor");
  port.productId = Attribute(usb / "idProduct");
  port.manufacturer = Attribute(usb / "manufacturer");
  port.product = Attribute(usb / "product");
  port.serialNumber = Attribute(usb / "serial");
}

// The stable names in /dev/serial/by-id that lead to `node`.
std::vector<std::string> StableNames(const fs::path& byIdFolder, const fs::path& node) {
  std::vector<std::string> names;
  std::error_code error;
  const fs::path target = fs::canonical(node, error);
  if (error) return names;
  for (const auto& link : fs::directory_iterator(byIdFolder, error)) {
    std::error_code linkError;
    if (fs::canonical(link.path(), linkError) == target && !linkError) {
      names.push_back(link.path().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

// One tty of /sys/class/tty, or nothing when it is no serial port.
std::optional<SerialPort> PortOf(const fs::path& tty, const PortRoots& roots, const Identity& who) {
  std::error_code error;
  const fs::path device = fs::canonical(tty / "device", error);
  if (error) return std::nullopt;  // a console, a pseudo-terminal: nothing behind it
  const bool serialCore = fs::exists(tty / "type", error);
  if (serialCore && Attribute(tty / "type") == "0") return std::nullopt;  // no UART in the slot
  SerialPort port;
  const fs::path node = fs::path(roots.dev) / tty.filename();
  port.name = node.string();
  port.kind = serialCore ? PortKind::Uart : PortKind::Other;
  const fs::path root = fs::canonical(roots.sysfs, error);
  port.driver = DriverOf(device, root);
  const fs::path usb = UsbDeviceAbove(device, root);
  if (!usb.empty()) AddUsbDetails(port, usb);
  port.byId = StableNames(fs::path(roots.dev) / "serial" / "by-id", node);
  SetAccess(port, node.string(), who);
  return port;
}

}  // namespace

std::vector<SerialPort> ListLinuxPorts(const PortRoots& roots, const Identity& who) {
  std::vector<SerialPort> ports;
  std::error_code error;
  for (const auto& tty : fs::directory_iterator(fs::path(roots.sysfs) / "class" / "tty", error)) {
    if (auto port = PortOf(tty.path(), roots, who)) ports.push_back(std::move(*port));
  }
  std::sort(ports.begin(), ports.end(),
            [](const SerialPort& a, const SerialPort& b) { return NameOrder(a.name, b.name); });
  return ports;
}

}  // namespace zv::cli
