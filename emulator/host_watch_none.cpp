#include "emulator/host_watch.h"

namespace zv::emu {

bool HostWatch::Start(const std::string&) {
  return false;
}

void HostWatch::Stop() {}

bool HostWatch::LastHostLeft() {
  return false;
}

}  // namespace zv::emu
