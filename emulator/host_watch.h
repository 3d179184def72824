// Whether a host holds the pseudo-terminal open. On a real line a host that closes its port
// drops RTS, and the logger's line goes quiet; a pseudo-terminal has no RTS, so the opens and
// closes of its device file stand in for it. Where the system cannot report them (anything
// but Linux here), no close is ever seen and the logger goes on as before.
#pragma once

#include <string>

namespace zv::emu {

class HostWatch {
 public:
  HostWatch() = default;
  ~HostWatch() { Stop(); }
  HostWatch(const HostWatch&) = delete;
  HostWatch& operator=(const HostWatch&) = delete;

  // Watches `device` from now on: opens made before do not count. False when it cannot.
  bool Start(const std::string& device);
  void Stop();
  // A descriptor that turns readable when something happened, or -1.
  int Fd() const { return fd_; }
  // Takes what happened; true when the last host that held the device has closed it.
  bool LastHostLeft();

 private:
  int fd_ = -1;
  int opens_ = 0;
};

}  // namespace zv::emu
