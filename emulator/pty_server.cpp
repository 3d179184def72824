#include "emulator/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace zv::emu {

namespace {

long long MonotonicNanos() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

timespec ToTimespec(long long nanos) {
  timespec value{};
  value.tv_sec = static_cast<time_t>(nanos / 1'000'000'000);
  value.tv_nsec = static_cast<long>(nanos % 1'000'000'000);
  return value;
}

bool MakeRaw(int fd) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) return false;
  cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  cfsetispeed(&tio, B9600);
  cfsetospeed(&tio, B9600);
  return tcsetattr(fd, TCSANOW, &tio) == 0;
}

}  // namespace

PtyServer::~PtyServer() {
  if (!link_.empty()) unlink(link_.c_str());
  if (slave_ >= 0) close(slave_);
  if (master_ >= 0) close(master_);
}

bool PtyServer::Open(const std::string& link, std::string& error) {
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
    error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
    return false;
  }
  const char* name = ptsname(master_);
  if (name == nullptr) {
    error = "no name for the pseudo-terminal";
    return false;
  }
  slavePath_ = name;
  slave_ = open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
  // Raw before any host opens it: an echoing line would hand the logger its own answers.
  if (slave_ < 0 || !MakeRaw(slave_) || !MakeRaw(master_)) {
    error = "cannot set up " + slavePath_ + ": " + std::strerror(errno);
    return false;
  }
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);

  struct stat existing {};
  if (lstat(link.c_str(), &existing) == 0) {
    if (!S_ISLNK(existing.st_mode)) {
      error = link + " exists and is not a symbolic link";
      return false;
    }
    unlink(link.c_str());
  }
  if (symlink(slavePath_.c_str(), link.c_str()) != 0) {
    error = "cannot create " + link + ": " + std::strerror(errno);
    return false;
  }
  link_ = link;
  startNanos_ = MonotonicNanos();
  return true;
}

Micros PtyServer::Now() const {
  return (MonotonicNanos() - startNanos_) / 1000;
}

// Writes every byte whose time has come, as far as the terminal takes them; false when it fails.
bool PtyServer::WriteDue() {
  for (;;) {
    if (pendingPosition_ == pendingLength_) {
      pendingPosition_ = pendingLength_ = 0;
      const Micros now = Now();
      while (pendingLength_ < sizeof pending_ && model_.PopOutput(now, pending_[pendingLength_])) {
        ++pendingLength_;
      }
      if (pendingLength_ == 0) return true;
    }
    const ssize_t written =
        write(master_, pending_ + pendingPosition_, pendingLength_ - pendingPosition_);
    if (written > 0) {
      pendingPosition_ += static_cast<std::size_t>(written);
    } else if (written < 0 && errno == EAGAIN) {
      return true;  // the line is full; Serve waits until it drains
    } else if (!(written < 0 && errno == EINTR)) {
      return false;
    }
  }
}

bool PtyServer::Serve(const volatile std::sig_atomic_t& stop) {
  sigset_t waitMask;
  sigprocmask(SIG_SETMASK, nullptr, &waitMask);
  sigdelset(&waitMask, SIGINT);
  sigdelset(&waitMask, SIGTERM);

  while (!stop) {
    if (!WriteDue()) return false;
    const bool blocked = pendingPosition_ < pendingLength_;
    const std::optional<Micros> due = model_.NextOutputTime();
    timespec wait{};
    timespec* timeout = nullptr;  // nothing scheduled: wait for the host or a signal
    if (due && !blocked) {
      const long long nanos = std::max<long long>(0, (*due - Now()) * 1000);
      wait = ToTimespec(nanos);
      timeout = &wait;
    }
    pollfd in{master_, static_cast<short>(POLLIN | (blocked ? POLLOUT : 0)), 0};
    const int ready = ppoll(&in, 1, timeout, &waitMask);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (ready == 0 || (in.revents & POLLIN) == 0) continue;
    uint8_t bytes[256];
    const ssize_t got = read(master_, bytes, sizeof bytes);
    if (got < 0) {
      if (errno == EINTR || errno == EAGAIN || errno == EIO) continue;
      return false;
    }
    const Micros at = Now();
    for (ssize_t i = 0; i < got; ++i) model_.Receive(bytes[i], at);
  }
  return true;
}

}  // namespace zv::emu
