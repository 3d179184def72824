// LD_PRELOAD'ed into zorvant-cli by the CLI tests: a USB-serial adapter pulled out at a chosen
// moment. Once a write to a terminal has carried the bytes ZV_PULL_AFTER names (hex, such as
// "A1030C50", the frame of the table write), every later write to a terminal fails with EIO,
// as it does on a device that is gone. Every other write goes through untouched.
//
// A test fixture; built without the sanitizers, and loaded with verify_asan_link_order=0.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

using WriteFn = ssize_t (*)(int, const void*, size_t);

bool g_pulled = false;

// The bytes of ZV_PULL_AFTER; false when it is not set or not hex.
bool Trigger(unsigned char (&bytes)[64], size_t& length) {
  const char* hex = std::getenv("ZV_PULL_AFTER");
  length = 0;
  if (hex == nullptr) return false;
  for (; hex[0] != '\0' && hex[1] != '\0' && length < sizeof bytes; hex += 2) {
    char pair[3] = {hex[0], hex[1], '\0'};
    char* end = nullptr;
    bytes[length++] = static_cast<unsigned char>(std::strtoul(pair, &end, 16));
    if (*end != '\0') return false;
  }
  return length > 0;
}

}  // namespace

extern "C" ssize_t write(int fd, const void* data, size_t n) {
  static const auto real = reinterpret_cast<WriteFn>(dlsym(RTLD_NEXT, "write"));
  if (!isatty(fd)) return real(fd, data, n);
  if (g_pulled) {
    errno = EIO;
    return -1;
  }
  unsigned char trigger[64];
  size_t length = 0;
  if (Trigger(trigger, length) && n >= length && std::memcmp(data, trigger, length) == 0) {
    g_pulled = true;
  }
  return real(fd, data, n);
}
