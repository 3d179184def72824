#include "cli/port_option.h"

#include <vector>

#include "base/safe_text.h"
#include "cli/exit_codes.h"
#include "cli/ports_listing.h"
#include "cli/serial_ports.h"

namespace zv::cli {

namespace {

int NoChoice(const char* why, const std::vector<SerialPort>& shown) {
  std::fprintf(stderr, "zorvant-cli: --port auto: %s\n", why);
  PrintPortsText(stderr, shown);
  return kExitUsage;
}

}  // namespace

int ResolvePort(const std::string& given, std::string& port) {
  if (given != "auto") {
    std::string error;
    if (PlatformPortName(given, port, error)) return kExitOk;
    std::fprintf(stderr, "zorvant-cli: %s\n", Echoed(error).c_str());
    return kExitUsage;
  }
  const std::vector<SerialPort> all = ListSerialPorts(PortRoots::FromEnvironment());
  std::vector<SerialPort> usb;
  for (const SerialPort& candidate : all) {
    if (candidate.kind == PortKind::Usb) usb.push_back(candidate);
  }
  if (usb.empty()) {
    return NoChoice(all.empty() ? "no serial port found" : "no USB serial port among these:", all);
  }
  if (usb.size() > 1) return NoChoice("several USB serial ports; name one with --port:", usb);
  std::string error;
  if (!PlatformPortName(usb.front().name, port, error)) return NoChoice(error.c_str(), usb);
  std::fprintf(stderr, "zorvant-cli: --port auto: ");
  PrintPortsText(stderr, usb);
  return kExitOk;
}

}  // namespace zv::cli
