#include "link/com_ports.h"

#include <cstdio>

namespace zv {

namespace {
constexpr std::string_view kDevicePrefix = "\\\\.\\";

bool IsComWord(std::string_view text) {
  if (text.size() < 3) return false;
  for (std::size_t i = 0; i < 3; ++i) {
    const char c = text[i];
    if (c != "COM"[i] && c != "com"[i]) return false;
  }
  return true;
}
}  // namespace

int ComNumberOf(std::string_view name) {
  if (name.substr(0, kDevicePrefix.size()) == kDevicePrefix)
    name.remove_prefix(kDevicePrefix.size());
  if (!IsComWord(name)) return 0;
  const std::string_view digits = name.substr(3);
  // At most three digits, the first not a zero: "COM007" is not a name Windows gives.
  if (digits.empty() || digits.size() > 3 || digits[0] == '0') return 0;
  int number = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return 0;
    number = number * 10 + (c - '0');
  }
  return number <= kHighestComNumber ? number : 0;
}

bool DeviceNameOf(int number, char* out, std::size_t capacity) {
  if (number < 1 || number > kHighestComNumber || capacity == 0) return false;
  const int n = std::snprintf(out, capacity, "\\\\.\\COM%d", number);
  return n > 0 && static_cast<std::size_t>(n) < capacity;
}

}  // namespace zv
