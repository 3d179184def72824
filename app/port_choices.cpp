#include "app/port_choices.h"

#include <cstdio>

namespace zv {

void PortChoices::Build(const ComNumbers& present) {
  count_ = 0;
  for (std::size_t i = 0; i < kFixedCount; ++i) {
    Entry& entry = entries_[count_++];
    std::snprintf(entry.text, sizeof entry.text, "%s", PortNames.Entry(i));
    std::snprintf(entry.name, sizeof entry.name, "%s", PortNames.Entry(i) + 1);
  }
  for (int number = static_cast<int>(kFixedCount) + 1;
       number <= kHighestComNumber && count_ < kCapacity; ++number) {
    if (!present.Has(number)) continue;
    Entry& entry = entries_[count_++];
    std::snprintf(entry.text, sizeof entry.text, " COM%d", number);
    DeviceNameOf(number, entry.name, sizeof entry.name);
  }
}

}  // namespace zv
