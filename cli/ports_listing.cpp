#include "cli/ports_listing.h"

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <utility>

#include "base/safe_text.h"
#include "report/json_document.h"

namespace zv::cli {

namespace {

constexpr const char* kKindNames[] = {"usb", "uart", "other"};
constexpr const char* kAccessNames[] = {"yes", "no", "no device node", "not checked"};

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
  return text;
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

void PrintPortsText(std::FILE* out, const std::vector<SerialPort>& ports) {
  for (const SerialPort& port : ports) {
    std::string line = port.name + "  " + Description(port);
    if (const std::string access = AccessText(port); !access.empty()) line += "; " + access;
    for (const std::string& alias : port.byId) line += "; also " + alias;
    // A device names itself, and a tty's name is whatever bytes its driver chose.
    std::fprintf(out, "%s\n", Echoed(line).c_str());
  }
}

// Device texts are bytes: what is not UTF-8 becomes U+FFFD, and controls and direction controls
// are escaped, so that the JSON printed on a terminal cannot steer it either. The members come in
// name order, two spaces a level, one a line.
void PrintPortsJson(std::FILE* out, const std::vector<SerialPort>& ports) {
  nlohmann::json list = nlohmann::json::array();
  for (const SerialPort& port : ports) {
    nlohmann::json entry;
    if (!port.accessNote.empty()) entry["access_note"] = port.accessNote;
    entry["by_id"] = port.byId;
    entry["driver"] = port.driver;
    entry["kind"] = kKindNames[static_cast<int>(port.kind)];
    entry["may_open"] = kAccessNames[static_cast<int>(port.access)];
    entry["port"] = port.name;
    if (port.kind == PortKind::Usb && !port.vendorId.empty()) {
      entry["usb"] = {{"manufacturer", port.manufacturer},
                      {"product", port.product},
                      {"product_id", port.productId},
                      {"serial_number", port.serialNumber},
                      {"vendor_id", port.vendorId}};
    }
    list.push_back(std::move(entry));
  }
  std::fprintf(out, "%s\n", DumpJson(list, 2).c_str());
}

}  // namespace zv::cli
