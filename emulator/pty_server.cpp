#include "emulator/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace zv::emu {

namespace {

constexpr long long kUnpluggedNanos = 2'000'000'000;
// Bytes already on the line reach the host before the cable goes, if it reads within this.
constexpr int kDrainChecks = 50;
constexpr useconds_t kDrainCheckMicros = 5'000;

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
  RemoveOwnLink();
  CloseTerminal();
}

bool PtyServer::Open(const std::string& link, std::string& error) {
  link_ = link;
  if (!OpenTerminal(error) || !PlaceLink(error)) return false;
  startNanos_ = MonotonicNanos();
  return true;
}

bool PtyServer::OpenTerminal(std::string& error) {
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
  hostWatch_.Start(slavePath_);  // without it a host's leaving goes unseen, as before
  return true;
}

void PtyServer::CloseTerminal() {
  hostWatch_.Stop();  // first: the server's own close is no host leaving
  if (slave_ >= 0) close(slave_);
  if (master_ >= 0) close(master_);
  slave_ = master_ = -1;
  pendingLength_ = pendingPosition_ = 0;
}

bool PtyServer::PlaceLink(std::string& error) {
  struct stat existing {};
  if (lstat(link_.c_str(), &existing) == 0) {
    if (!S_ISLNK(existing.st_mode)) {
      error = link_ + " exists and is not a symbolic link";
      return false;
    }
    unlink(link_.c_str());
  }
  if (symlink(slavePath_.c_str(), link_.c_str()) != 0) {
    error = "cannot create " + link_ + ": " + std::strerror(errno);
    return false;
  }
  linkPlaced_ = true;
  return true;
}

// Someone may have pointed the link elsewhere meanwhile (another emulator, a real port):
// theirs stays.
void PtyServer::RemoveOwnLink() {
  if (!linkPlaced_) return;
  linkPlaced_ = false;
  struct stat existing {};
  if (lstat(link_.c_str(), &existing) != 0 || !S_ISLNK(existing.st_mode)) return;
  char target[PATH_MAX];
  const ssize_t length = readlink(link_.c_str(), target, sizeof target);
  if (length < 0 ||
      slavePath_.compare(0, std::string::npos, target, static_cast<std::size_t>(length)) != 0) {
    return;
  }
  unlink(link_.c_str());
}

// As if the cable were pulled: the host's line goes dead and the link disappears.
void PtyServer::Unplug() {
  // The bytes just written reach the terminal's input a moment later: look only after a wait,
  // then until the host has read them.
  for (int check = 0; check < kDrainChecks; ++check) {
    usleep(kDrainCheckMicros);
    int unread = 0;
    if (ioctl(slave_, FIONREAD, &unread) != 0 || unread == 0) break;
  }
  RemoveOwnLink();
  CloseTerminal();
  plugBackInAt_ = MonotonicNanos() + kUnpluggedNanos;
  std::fprintf(stderr, "kvar2-emu: cable pulled\n");
}

// Waits out the unplugged time (a stop signal ends the wait), then opens a fresh terminal
// and points the link at it, with the logger asleep. False when that fails.
bool PtyServer::WaitToPlugBackIn(const sigset_t& waitMask) {
  const long long left = plugBackInAt_ - MonotonicNanos();
  if (left > 0) {
    const timespec wait = ToTimespec(left);
    ppoll(nullptr, 0, &wait, &waitMask);
    return true;
  }
  plugBackInAt_ = -1;
  model_.PlugBackIn();
  std::string error;
  if (!OpenTerminal(error) || !PlaceLink(error)) {
    std::fprintf(stderr, "kvar2-emu: %s\n", error.c_str());
    return false;
  }
  std::fprintf(stderr, "kvar2-emu: plugged back in, serving %s at %s\n", slavePath_.c_str(),
               link_.c_str());
  return true;
}

Micros PtyServer::Now() const {
  return (MonotonicNanos() - startNanos_) / 1000;
}

// Writes the bytes whose time has come, one chunk of them, as far as the terminal takes them;
// false when it fails.
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
      // One chunk a call: the host's bytes are looked at between chunks, so a ping still
      // reaches a logger whose endless stream the host keeps reading away.
      if (pendingPosition_ == pendingLength_) return true;
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
    if (plugBackInAt_ >= 0) {
      if (!WaitToPlugBackIn(waitMask)) return false;
      continue;
    }
    if (!WriteDue()) return false;
    if (pendingPosition_ == pendingLength_ && model_.UnplugDue()) {
      Unplug();
      continue;
    }
    if (!WaitAndRead(waitMask)) return false;
  }
  return true;
}

// The host closed its port, which on a real line drops RTS: the logger stops talking, and
// what it had not yet put on the line, or the host had not read, is gone. An endless stream
// that a host abandoned (killed, without its stop frame) would otherwise still be running
// when the next host greets the logger.
void PtyServer::NoticeHostLeaving() {
  if (!hostWatch_.LastHostLeft()) return;
  model_.LineDropped();
  pendingLength_ = pendingPosition_ = 0;
  tcflush(slave_, TCIFLUSH);
}

// Waits for the host, the next due byte or a signal, and hands the host's bytes to the model.
bool PtyServer::WaitAndRead(const sigset_t& waitMask) {
  const bool blocked = pendingPosition_ < pendingLength_;
  const std::optional<Micros> due = model_.NextOutputTime();
  timespec wait{};
  timespec* timeout = nullptr;  // nothing scheduled: wait for the host or a signal
  if (due && !blocked) {
    const long long nanos = std::max<long long>(0, (*due - Now()) * 1000);
    wait = ToTimespec(nanos);
    timeout = &wait;
  }
  pollfd fds[2] = {{master_, static_cast<short>(POLLIN | (blocked ? POLLOUT : 0)), 0},
                   {hostWatch_.Fd(), POLLIN, 0}};
  const pollfd& in = fds[0];
  const int ready = ppoll(fds, hostWatch_.Fd() >= 0 ? 2 : 1, timeout, &waitMask);
  if (ready < 0) return errno == EINTR;
  // The host's last bytes (a stop frame) come before its leaving.
  if ((fds[1].revents & POLLIN) != 0 && (in.revents & POLLIN) == 0) {
    NoticeHostLeaving();
    return true;
  }
  if (ready == 0 || (in.revents & POLLIN) == 0) return true;
  uint8_t bytes[256];
  const ssize_t got = read(master_, bytes, sizeof bytes);
  if (got < 0) return errno == EINTR || errno == EAGAIN || errno == EIO;
  if (got > 0 && hostBytesHook_) hostBytesHook_();
  const Micros at = Now();
  for (ssize_t i = 0; i < got; ++i) model_.Receive(bytes[i], at);
  return true;
}

}  // namespace zv::emu
