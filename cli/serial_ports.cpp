#include "cli/serial_ports.h"

#include <cstdlib>
#include <string_view>

namespace zv::cli {

namespace {

// A name split into its text and the number its last digits make (none: -1).
struct NameParts {
  std::string_view text;
  long long number = -1;
};

NameParts Split(std::string_view name) {
  std::size_t digits = name.size();
  while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') --digits;
  NameParts parts{name.substr(0, digits)};
  const std::string_view tail = name.substr(digits);
  // Eighteen digits at most still fit; a longer tail compares as text.
  if (!tail.empty() && tail.size() <= 18) parts.number = std::atoll(std::string(tail).c_str());
  if (tail.size() > 18) parts.text = name;
  return parts;
}

}  // namespace

PortRoots PortRoots::FromEnvironment() {
  PortRoots roots;
  if (const char* sysfs = std::getenv("ZV_SYSFS_ROOT"); sysfs != nullptr && *sysfs != '\0') {
    roots.sysfs = sysfs;
  }
  if (const char* dev = std::getenv("ZV_DEV_ROOT"); dev != nullptr && *dev != '\0') roots.dev = dev;
  return roots;
}

bool NameOrder(const std::string& a, const std::string& b) {
  const NameParts left = Split(a);
  const NameParts right = Split(b);
  if (left.text != right.text) return left.text < right.text;
  if (left.number != right.number) return left.number < right.number;
  return a < b;
}

}  // namespace zv::cli
