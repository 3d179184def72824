// LD_PRELOAD'ed into Wine by the end-to-end harness. A pseudo-terminal has no modem lines, so
// the modem-line ioctls Wine issues for the serial port (raising RTS, reading the line state)
// fail on it. Here they succeed on a pty: the lines are kept in a word of our own, TIOCMGET
// reports it, and every change of RTS is appended to the file named by ZV_MODEM_LOG as
// "<µs since boot> RTS <0|1>". Every other ioctl goes to the real one untouched.
//
// It also hides the machine's own serial devices from Wine's port detection, which asks
// access(2) whether /dev/ttyS<n>, /dev/ttyUSB<n> and /dev/ttyACM<n> exist and gives each one
// it finds a COM number: the prefix then has exactly the ports a scenario pins, on any host.
//
// A test fixture standing in for a real port's lines; built without the sanitizers, since it is
// loaded into a process that does not carry their runtime.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using IoctlFn = int (*)(int, unsigned long, ...);

// Unix98 pty slaves have majors 136 to 143.
bool IsPtySlave(int fd) {
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) return false;
  const unsigned m = major(st.st_rdev);
  return m >= 136 && m <= 143;
}

// A real port idles with DTR and RTS dropped, and reports DSR and CTS from an attached device.
std::atomic<int> g_lines{TIOCM_DSR | TIOCM_CTS};

void RecordRts(int before, int after) {
  if ((before & TIOCM_RTS) == (after & TIOCM_RTS)) return;
  const char* path = std::getenv("ZV_MODEM_LOG");
  if (!path || !*path) return;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  char line[64];
  const int n = std::snprintf(line, sizeof line, "%lld RTS %d\n",
                              static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000,
                              (after & TIOCM_RTS) ? 1 : 0);
  const int fd = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return;
  if (n > 0) {
    const ssize_t written = write(fd, line, static_cast<size_t>(n));
    (void)written;
  }
  close(fd);
}

// Applies one modem-line request; false when `request` is not one of them.
bool ModemLines(unsigned long request, void* arg, int& result) {
  int* bits = static_cast<int*>(arg);
  const int settable = TIOCM_DTR | TIOCM_RTS;
  int before = g_lines.load();
  int after = before;
  switch (request) {
    case TIOCMGET:
      if (!bits) return result = -1, errno = EFAULT, true;
      *bits = before;
      return result = 0, true;
    case TIOCMSET:
      if (!bits) return result = -1, errno = EFAULT, true;
      after = (before & ~settable) | (*bits & settable);
      break;
    case TIOCMBIS:
      if (!bits) return result = -1, errno = EFAULT, true;
      after = before | (*bits & settable);
      break;
    case TIOCMBIC:
      if (!bits) return result = -1, errno = EFAULT, true;
      after = before & ~(*bits & settable);
      break;
    case TIOCMIWAIT:  // waiting for a line change that never comes: report one at once
    case TIOCSBRK:
    case TIOCCBRK:
      return result = 0, true;
    default:
      return false;
  }
  g_lines.store(after);
  RecordRts(before, after);
  result = 0;
  return true;
}

// A name Wine's port detection tries: one of its device stems and a number.
bool IsHostSerialDevice(const char* path) {
  for (const char* stem : {"/dev/ttyS", "/dev/ttyUSB", "/dev/ttyACM"}) {
    const std::size_t length = std::strlen(stem);
    if (std::strncmp(path, stem, length) != 0 || path[length] == '\0') continue;
    const char* digit = path + length;
    while (*digit >= '0' && *digit <= '9') ++digit;
    if (*digit == '\0') return true;
  }
  return false;
}

}  // namespace

extern "C" int access(const char* path, int mode) noexcept {
  if (mode == F_OK && IsHostSerialDevice(path)) {
    errno = ENOENT;
    return -1;
  }
  using AccessFn = int (*)(const char*, int);
  static AccessFn real = reinterpret_cast<AccessFn>(dlsym(RTLD_NEXT, "access"));
  if (!real) {
    errno = ENOSYS;
    return -1;
  }
  return real(path, mode);
}

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept {
  va_list args;
  va_start(args, request);
  void* arg = va_arg(args, void*);
  va_end(args);

  int result = 0;
  if (IsPtySlave(fd) && ModemLines(request, arg, result)) return result;

  static IoctlFn real = reinterpret_cast<IoctlFn>(dlsym(RTLD_NEXT, "ioctl"));
  if (!real) {
    errno = ENOSYS;
    return -1;
  }
  return real(fd, request, arg);
}
