// Windows serial port names: "COMn" and its device form "\\.\COMn", and the set of port
// numbers a machine has. Portable, so that the name rules are tested natively.
#pragma once

#include <bitset>
#include <cstddef>
#include <string_view>

namespace zv {

inline constexpr int kHighestComNumber = 255;

// The number n of "COMn" or "\\.\COMn" (any letter case), 1..255; 0 for anything else: other
// names, no digits, a leading zero, a number beyond 255, anything after the digits.
int ComNumberOf(std::string_view name);

// The port numbers present, each once.
class ComNumbers {
 public:
  // Takes the number of a port name; a name that is not a COM port is ignored.
  void AddName(std::string_view name) {
    const int number = ComNumberOf(name);
    if (number > 0) present_.set(static_cast<std::size_t>(number));
  }
  bool Has(int number) const {
    return number > 0 && number <= kHighestComNumber &&
           present_.test(static_cast<std::size_t>(number));
  }

 private:
  std::bitset<kHighestComNumber + 1> present_;
};

// "\\.\COMn" into `out` (11 bytes hold the longest); false when n is not a port number.
bool DeviceNameOf(int number, char* out, std::size_t capacity);

}  // namespace zv
