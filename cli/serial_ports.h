// The serial ports a machine has, as `zorvant-cli ports` lists them and `--port auto` chooses
// among them: the name to pass to --port and what is known of each.
#pragma once

#include <string>
#include <vector>

namespace zv::cli {

enum class PortKind { Usb, Uart, Other };
enum class PortAccess { Allowed, Denied, NoNode, Unchecked };

struct SerialPort {
  std::string name;  // what --port takes: /dev/ttyUSB0, /dev/cu.usbserial-1, COM7
  PortKind kind = PortKind::Other;
  // USB: the ids as four hex digits, and the device's own descriptions where it gives them.
  std::string vendorId, productId, manufacturer, product, serialNumber;
  std::string driver;             // ftdi_sio, cdc_acm, serial8250; on Windows its device
  std::vector<std::string> byId;  // stable names of the same device (/dev/serial/by-id)
  PortAccess access = PortAccess::Unchecked;
  std::string accessNote;  // why not, and what to do about it
};

// Where the listing looks; tests point both at a fake tree (ZV_SYSFS_ROOT, ZV_DEV_ROOT).
struct PortRoots {
  std::string sysfs = "/sys";
  std::string dev = "/dev";
  static PortRoots FromEnvironment();
};

// The ports of this machine, ordered by name (ttyS2 before ttyS10).
std::vector<SerialPort> ListSerialPorts(const PortRoots& roots);

// The name the backend opens for what the user gave to --port, or an error text. Windows
// takes COMn (1-255) and \\.\COMn; Linux and macOS any device path.
bool PlatformPortName(const std::string& given, std::string& name, std::string& error);

// Orders names as a person would: the digits at the end compare as numbers.
bool NameOrder(const std::string& a, const std::string& b);

}  // namespace zv::cli
