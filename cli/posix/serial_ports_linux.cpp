// The serial ports of a Linux machine, from sysfs: every tty with a device behind it, less the
// built-in UART slots that serial_core reports with no UART (type 0); USB details from the USB
// device above the tty; stable names from /dev/serial/by-id.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>

#include "cli/posix/port_access_posix.h"
#include "cli/posix/serial_ports_posix.h"

namespace zv::cli {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kLongestAttribute = 256;  // sysfs texts are short; the rest is cut

// A sysfs attribute's text without its line break; empty when there is none. Opened without
// blocking, and read only when it is a regular file: under a made-up root a FIFO or a device
// could stand there and hold the listing up for ever.
std::string Attribute(const fs::path& file) {
  const int fd = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return {};
  struct stat st {};
  std::string text;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    text.resize(kLongestAttribute);
    const ssize_t got = read(fd, text.data(), text.size());
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  }
  close(fd);
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

// The stable names in /dev/serial/by-id by the device each leads to, each link resolved once
// for the whole listing, in name order.
using StableNameMap = std::map<fs::path, std::vector<std::string>>;

StableNameMap StableNames(const fs::path& byIdFolder) {
  StableNameMap names;
  std::error_code error;
  for (const auto& link : fs::directory_iterator(byIdFolder, error)) {
    std::error_code linkError;
    const fs::path target = fs::canonical(link.path(), linkError);
    if (!linkError) names[target].push_back(link.path().string());
  }
  for (auto& [target, list] : names) std::sort(list.begin(), list.end());
  return names;
}

// One tty of /sys/class/tty, or nothing when it is no serial port.
std::optional<SerialPort> PortOf(const fs::path& tty, const PortRoots& roots, const fs::path& root,
                                 const StableNameMap& stableNames, const Identity& who) {
  std::error_code error;
  const fs::path device = fs::canonical(tty / "device", error);
  if (error) return std::nullopt;  // a console, a pseudo-terminal: nothing behind it
  const bool serialCore = fs::exists(tty / "type", error);
  if (serialCore && Attribute(tty / "type") == "0") return std::nullopt;  // no UART in the slot
  SerialPort port;
  const fs::path node = fs::path(roots.dev) / tty.filename();
  port.name = node.string();
  port.kind = serialCore ? PortKind::Uart : PortKind::Other;
  port.driver = DriverOf(device, root);
  const fs::path usb = UsbDeviceAbove(device, root);
  if (!usb.empty()) AddUsbDetails(port, usb);
  if (const fs::path target = fs::canonical(node, error); !error) {
    if (const auto found = stableNames.find(target); found != stableNames.end()) {
      port.byId = found->second;
    }
  }
  SetAccess(port, node.string(), who);
  return port;
}

}  // namespace

std::vector<SerialPort> ListLinuxPorts(const PortRoots& roots, const Identity& who) {
  std::vector<SerialPort> ports;
  std::error_code error;
  const fs::path root = fs::canonical(roots.sysfs, error);
  const StableNameMap stableNames = StableNames(fs::path(roots.dev) / "serial" / "by-id");
  for (const auto& tty : fs::directory_iterator(fs::path(roots.sysfs) / "class" / "tty", error)) {
    if (auto port = PortOf(tty.path(), roots, root, stableNames, who)) {
      ports.push_back(std::move(*port));
    }
  }
  std::sort(ports.begin(), ports.end(),
            [](const SerialPort& a, const SerialPort& b) { return NameOrder(a.name, b.name); });
  return ports;
}

}  // namespace zv::cli
