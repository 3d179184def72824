// The program's port list: COM1..COM4 first, as they have always been, then the serial ports
// the machine has beyond COM4, in numeric order. Built once at start-up, in fixed storage.
#pragma once

#include <cstddef>

#include "base/value_tables.h"
#include "link/com_ports.h"

namespace zv {

class PortChoices {
 public:
  static constexpr std::size_t kFixedCount = decltype(PortNames)::kCount;
  static constexpr std::size_t kExtraCapacity = 32;
  static constexpr std::size_t kCapacity = kFixedCount + kExtraCapacity;

  // COM1..COM4 alone.
  PortChoices() { Build(ComNumbers{}); }

  // COM1..COM4, then the present ports beyond COM4, the lowest 32 of them.
  void Build(const ComNumbers& present);

  std::size_t Count() const { return count_; }
  // The list's text of an entry (" COM7"); an index beyond the list reads as the first entry.
  const char* Text(std::size_t index) const { return entries_[Clamped(index)].text; }
  // The name the port is opened by: "COM1".."COM4" as always, "\\.\COMn" beyond them, since
  // Windows opens COM10 and up only by that device form.
  const char* OpenName(std::size_t index) const { return entries_[Clamped(index)].name; }

 private:
  struct Entry {
    char text[8];   // " COM255"
    char name[11];  // "\\.\COM255"
  };
  std::size_t Clamped(std::size_t index) const { return index < count_ ? index : 0; }

  Entry entries_[kCapacity] = {};
  std::size_t count_ = 0;
};

}  // namespace zv
