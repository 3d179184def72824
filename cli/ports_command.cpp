#include "cli/ports_command.h"

#include <nlohmann/json.hpp>
#include <string>

#include "cli/exit_codes.h"

namespace zv::cli {

namespace {

constexpr const char* kKindNames[] = {"usb", "uart", "other"};
constexpr const char* kAccessNames[] = {"yes", "no", "no device node", "not checked"};

// A device's own text made safe for a terminal: control characters, C0 and C1, become '?'.
std::string Printable(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                    static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(text[i + 1]) <= 0x9F;
    if (byte < 0x20 || byte == 0x7F || c1) {
      out += '?';
      if (c1) ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string Description(const SerialPort& port) {
  std::string text;
  auto add = [&text](const std::string& piece) {
    if (piece.empty()) return;
    if (!text.empty()) text += ' ';
    text += piece;
  };
  if (port.kind == PortKind::Usb) {
    add("USB");
    if (!port.vendorId.empty()) add(port.vendorId + ":" + port.productId);
    add(port.manufacturer);
    add(port.product);
    if (!port.serialNumber.empty()) add("serial " + port.serialNumber);
  } else {
    add(port.kind == PortKind::Uart ? "built-in serial port" : "serial port");
  }
  if (!port.driver.empty()) add("(" + port.driver + ")");
  return Printable(text);
}

std::string AccessText(const SerialPort& port) {
  switch (port.access) {
    case PortAccess::Allowed:
      return "you may open it";
    case PortAccess::Unchecked:
      return "";
    case PortAccess::Denied:
    case PortAccess::NoNode:
      break;
  }
  return "you may not open it: " + port.accessNote;
}

}  // namespace

CLI::App* AddPortsCommand(CLI::App& app, PortsOptions& options) {
  auto* ports = app.add_subcommand(
      "ports",
      "List the serial ports present: the name to give --port, what is known of each (USB ids, "
      "maker, product, serial number), and whether you may open it.");
  ports->add_flag("--json", options.json, "Print a JSON array instead of text");
  return ports;
}

void PrintPortsText(std::FILE* out, const std::vector<SerialPort>& ports) {
  for (const SerialPort& port : ports) {
    std::string line = Printable(port.name) + "  " + Description(port);
    if (const std::string access = AccessText(port); !access.empty()) line += "; " + access;
    for (const std::string& alias : port.byId) line += "; also " + Printable(alias);
    std::fprintf(out, "%s\n", line.c_str());
  }
}

void PrintPortsJson(std::FILE* out, const std::vector<SerialPort>& ports) {
  nlohmann::json list = nlohmann::json::array();
  for (const SerialPort& port : ports) {
    nlohmann::json entry = {{"port", port.name},
                            {"kind", kKindNames[static_cast<int>(port.kind)]},
                            {"driver", port.driver},
                            {"by_id", port.byId},
                            {"may_open", kAccessNames[static_cast<int>(port.access)]}};
    if (!port.accessNote.empty()) entry["access_note"] = port.accessNote;
    if (port.kind == PortKind::Usb && !port.vendorId.empty()) {
      entry["usb"] = {{"vendor_id", port.vendorId},
                      {"product_id", port.productId},
                      {"manufacturer", port.manufacturer},
                      {"product", port.product},
                      {"serial_number", port.serialNumber}};
    }
    list.push_back(std::move(entry));
  }
  // Device texts are bytes: what is not UTF-8 becomes U+FFFD rather than failing.
  const std::string text = list.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
  std::fprintf(out, "%s\n", text.c_str());
}

int RunPorts(const PortsOptions& options) {
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
