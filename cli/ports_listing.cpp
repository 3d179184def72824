#include "cli/ports_listing.h"

#include <string>
#include <string_view>
#include <utility>

#include "base/safe_text.h"
#include "report/json_text.h"

namespace zv::cli {

namespace {

constexpr const char* kKindNames[] = {"usb", "uart", "other"};
constexpr const char* kAccessNames[] = {"yes", "no", "no device node", "not checked"};

std::string JsonList(const std::vector<std::string>& items, const std::string& indent) {
  if (items.empty()) return "[]";
  std::string text = "[";
  for (std::size_t i = 0; i < items.size(); ++i) {
    text += std::string(i == 0 ? "" : ",") + "\n  " + indent + JsonString(items[i]);
  }
  return text + "\n" + indent + "]";
}

std::string JsonObject(const std::vector<std::pair<const char*, std::string>>& members,
                       const std::string& indent) {
  std::string text = "{";
  for (std::size_t i = 0; i < members.size(); ++i) {
    text += std::string(i == 0 ? "" : ",") + "\n  " + indent + "\"" + members[i].first +
            "\": " + members[i].second;
  }
  return text + "\n" + indent + "}";
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
// are escaped, so that the JSON printed on a terminal cannot steer it either.
void PrintPortsJson(std::FILE* out, const std::vector<SerialPort>& ports) {
  std::string text = "[";
  for (std::size_t i = 0; i < ports.size(); ++i) {
    const SerialPort& port = ports[i];
    // The members in name order, laid out two spaces a level, one a line.
    std::vector<std::pair<const char*, std::string>> members;
    if (!port.accessNote.empty()) members.emplace_back("access_note", JsonString(port.accessNote));
    members.emplace_back("by_id", JsonList(port.byId, "    "));
    members.emplace_back("driver", JsonString(port.driver));
    members.emplace_back("kind", JsonString(kKindNames[static_cast<int>(port.kind)]));
    members.emplace_back("may_open", JsonString(kAccessNames[static_cast<int>(port.access)]));
    members.emplace_back("port", JsonString(port.name));
    if (port.kind == PortKind::Usb && !port.vendorId.empty()) {
      members.emplace_back("usb", JsonObject({{"manufacturer", JsonString(port.manufacturer)},
                                              {"product", JsonString(port.product)},
                                              {"product_id", JsonString(port.productId)},
                                              {"serial_number", JsonString(port.serialNumber)},
                                              {"vendor_id", JsonString(port.vendorId)}},
                                             "    "));
    }
    text += std::string(i == 0 ? "" : ",") + "\n  " + JsonObject(members, "  ");
  }
  text += ports.empty() ? "]" : "\n]";
  std::fprintf(out, "%s\n", text.c_str());
}

}  // namespace zv::cli
