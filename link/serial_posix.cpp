#include "link/serial_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "base/wire.h"

namespace zv {

namespace {

long long MonotonicMicros() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1'000;
}

// While the rest of an answer is still on the line, a read sleeps for its line time instead of
// waking for every byte (a paced stream brings one a millisecond), but never longer than this:
// a silence is then noticed within this much of its start.
constexpr long long kLongestNapMicros = 40'000;  // a 33-byte block takes 34.4 ms

void Nap(long long micros) {
  timespec wait{static_cast<time_t>(micros / 1'000'000),
                static_cast<long>(micros % 1'000'000) * 1000};
  nanosleep(&wait, nullptr);  // a signal ends it early; the read's loop looks at the flag
}

std::size_t BytesWaiting(int fd) {
  int waiting = 0;
  return ioctl(fd, FIONREAD, &waiting) == 0 && waiting > 0 ? static_cast<std::size_t>(waiting) : 0;
}

// Raw 9600 8N1 without flow control; reads return what is there and poll() does the timing.
void MakeRawLine(termios& tio) {
  tio.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                        IXON | IXOFF | IXANY);
  tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  cfsetispeed(&tio, B9600);
  cfsetospeed(&tio, B9600);
}

// What the open() call's errno says of the name.
OpenFailureKind OpenErrorKind(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENODEV:
    case ENXIO:
    case EIO:  // a serial device whose hardware is not there
      return OpenFailureKind::Missing;
    case EACCES:
    case EPERM:
    case EROFS:
      return OpenFailureKind::Permission;
    case EBUSY:  // another opener's TIOCEXCL
      return OpenFailureKind::Busy;
    case EISDIR:
      return OpenFailureKind::NotSerial;
    default:
      return OpenFailureKind::Other;
  }
}

}  // namespace

bool PosixPort::OpenPort(const char* name) {
  if (fd_ >= 0 || name == nullptr) return false;
  // Non-blocking so the open does not wait for a carrier; blocking again afterwards.
  const int fd = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    const int error = errno;
    return Refused(OpenErrorKind(error), error, -1);
  }
  // Exclusive like a Windows port: TIOCEXCL stops other opens, flock also stops root's.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    return Refused(error == EWOULDBLOCK ? OpenFailureKind::Busy : OpenFailureKind::Other, error,
                   fd);
  }
  if (ioctl(fd, TIOCEXCL) != 0) {
    const int error = errno;
    const bool notTty = error == ENOTTY || error == EINVAL;
    return Refused(notTty ? OpenFailureKind::NotSerial : OpenFailureKind::Other, error, fd);
  }
  const int flags = fcntl(fd, F_GETFL);
  if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    const int error = errno;
    ioctl(fd, TIOCNXCL);
    return Refused(OpenFailureKind::Other, error, fd);
  }
  lastFailure_ = {};
  fd_ = fd;
  // What the line was set to before, put back at the close.
  settingsSaved_ = tcgetattr(fd, &savedSettings_) == 0;
  return true;
}

bool PosixPort::Refused(OpenFailureKind kind, int error, int fd) {
  lastFailure_ = {kind, error};
  if (fd >= 0) close(fd);
  return false;
}

bool PosixPort::SetUpPort() {
  termios tio{};
  if (tcgetattr(fd_, &tio) != 0) return false;
  MakeRawLine(tio);
  // The read time-outs are kept by ReadBytes itself.
  if (tcsetattr(fd_, TCSANOW, &tio) != 0) return false;
  if (tcflush(fd_, TCOFLUSH) != 0) return false;
  if (tcflush(fd_, TCIFLUSH) != 0) return false;
  // The queue sizes are the driver's own here.
  const int rts = TIOCM_RTS;
  if (ioctl(fd_, TIOCMBIS, &rts) != 0) {
    // A pseudo-terminal has no modem lines: nothing to raise.
    return errno == ENOTTY || errno == EINVAL;
  }
  return true;
}

bool PosixPort::WriteBytes(const uint8_t* bytes, std::size_t n) {
  if (fd_ < 0) return false;
  std::size_t done = 0;
  while (done < n) {
    const ssize_t written = write(fd_, bytes + done, n - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(written);
  }
  return true;
}

ReadResult PosixPort::ReadBytes(uint8_t* into, std::size_t n) {
  if (fd_ < 0) return {false, 0};
  constexpr long long kPerByte = kReadPerByteTimeoutMs * 1000LL;
  constexpr long long kInterval = kReadIntervalTimeoutMs * 1000LL;
  const long long begun = MonotonicMicros();
  const long long totalDeadline = begun + kPerByte * static_cast<long long>(n);
  long long lastByte = 0;
  std::size_t count = 0;
  while (count < n) {
    // An interrupted poll() or read() comes back here, and so does every arrived byte.
    if (Interrupted()) return {false, 0};
    long long deadline = totalDeadline;
    if (count > 0 && lastByte + kInterval < deadline) deadline = lastByte + kInterval;
    long long remaining = deadline - MonotonicMicros();
    if (remaining <= 0) break;
    // What is still on the line cannot be here before its line time: sleep through it.
    const std::size_t waiting = BytesWaiting(fd_);
    if (count + waiting < n) {
      long long nap = static_cast<long long>(n - count - waiting) * kByteMicros;
      if (nap > kLongestNapMicros) nap = kLongestNapMicros;
      if (nap > remaining) nap = remaining;
      Nap(nap);
      if (Interrupted()) return {false, 0};
      remaining = deadline - MonotonicMicros();
      if (remaining < 0) remaining = 0;
    }
    pollfd in{fd_, POLLIN, 0};
    const int ready = poll(&in, 1, static_cast<int>((remaining + 999) / 1000));
    if (ready < 0) {
      if (errno == EINTR) continue;
      return {false, 0};
    }
    if (ready == 0) continue;  // the deadline is checked again at the top
    if ((in.revents & (POLLERR | POLLNVAL)) != 0) return {false, 0};
    const ssize_t got = read(fd_, into + count, n - count);
    if (got < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return {false, 0};
    }
    if (got == 0) {
      // Readable yet empty: the other end hung up.
      if ((in.revents & POLLHUP) != 0) return {false, 0};
      continue;
    }
    count += static_cast<std::size_t>(got);
    lastByte = MonotonicMicros();
  }
  return {true, count};
}

void PosixPort::DiscardInput() {
  if (fd_ >= 0) tcflush(fd_, TCIFLUSH);
}

void PosixPort::Pause(unsigned milliseconds) {
  timespec wait{static_cast<time_t>(milliseconds / 1000),
                static_cast<long>(milliseconds % 1000) * 1'000'000};
  while (nanosleep(&wait, &wait) != 0 && errno == EINTR && !Interrupted()) {
  }
}

void PosixPort::ClosePort() {
  if (fd_ < 0) return;
  // The line's own settings again, once the stop frame has gone out at our speed.
  if (settingsSaved_ && tcsetattr(fd_, TCSADRAIN, &savedSettings_) != 0) {
    tcsetattr(fd_, TCSANOW, &savedSettings_);
  }
  settingsSaved_ = false;
  // Leave the line open to others again: a pseudo-terminal keeps the exclusive mode for as
  // long as any side holds it open.
  ioctl(fd_, TIOCNXCL);
  close(fd_);
  fd_ = -1;
}

}  // namespace zv
