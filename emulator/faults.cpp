#include "emulator/faults.h"

#include <charconv>

namespace zv::emu {

bool ApplyFault(FaultSet& faults, std::string_view text) {
  const std::size_t equals = text.find('=');
  const std::string_view name = text.substr(0, equals);
  for (const FaultKnob& knob : kFaultKnobs) {
    if (name != knob.name) continue;
    if (knob.flag != nullptr) {
      if (equals != std::string_view::npos) return false;
      faults.*knob.flag = true;
      return true;
    }
    if (equals == std::string_view::npos) return false;
    const std::string_view digits = text.substr(equals + 1);
    int block = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), block);
    if (error != std::errc{} || end != digits.data() + digits.size() || block < 0 ||
        block > 65535) {
      return false;
    }
    faults.*knob.block = block;
    return true;
  }
  return false;
}

}  // namespace zv::emu
