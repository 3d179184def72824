#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>

#include "emulator/host_watch.h"

namespace zv::emu {

bool HostWatch::Start(const std::string& device) {
  Stop();
  fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd_ < 0) return false;
  if (inotify_add_watch(fd_, device.c_str(), IN_OPEN | IN_CLOSE) < 0) {
    Stop();
    return false;
  }
  return true;
}

void HostWatch::Stop() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  opens_ = 0;
}

bool HostWatch::LastHostLeft() {
  bool left = false;
  alignas(inotify_event) char events[4096];
  for (;;) {
    const ssize_t got = read(fd_, events, sizeof events);
    if (got <= 0) return left;
    for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= got;) {
      inotify_event event;
      std::memcpy(&event, events + at, sizeof event);
      at += static_cast<ssize_t>(sizeof event + event.len);
      if ((event.mask & IN_OPEN) != 0) ++opens_;
      if ((event.mask & IN_CLOSE) != 0 && opens_ > 0 && --opens_ == 0) left = true;
      if ((event.mask & IN_Q_OVERFLOW) != 0) opens_ = 0;  // lost count: wait for the next open
    }
  }
}

}  // namespace zv::emu
