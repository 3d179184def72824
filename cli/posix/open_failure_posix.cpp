// Why a device path could not be opened, on Linux and macOS. A busy port's holder is found
// by its lock in /proc/locks or its open descriptors in /proc (Linux; elsewhere unnamed).
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "base/safe_text.h"
#include "cli/port_option.h"
#include "cli/posix/port_access_posix.h"

namespace zv::cli {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMostHoldersNamed = 8;

bool SameFile(const struct stat& a, const struct stat& b) {
  if (S_ISCHR(a.st_mode) && S_ISCHR(b.st_mode)) return a.st_rdev == b.st_rdev;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool Holds(const fs::path& process, const struct stat& device) {
  std::error_code error;
  for (const auto& fd : fs::directory_iterator(process / "fd", error)) {
    struct stat st {};
    if (stat(fd.path().c_str(), &st) == 0 && SameFile(st, device)) return true;
  }
  return false;
}

// "name (pid N)"; a process names itself, so its name is shown as any outside text is.
std::string ProcessName(const std::string& pid) {
  std::string comm;
  std::getline(std::ifstream("/proc/" + pid + "/comm"), comm);
  if (comm.empty()) return {};
  comm.resize(std::min<std::size_t>(comm.size(), 64));
  return Echoed(comm) + " (pid " + pid + ")";
}

// The process holding a whole-file lock on the device, from /proc/locks, whose lines read
// "1: FLOCK  ADVISORY  WRITE 1234 00:1a:3 0 EOF" (the file as its file system's major and
// minor in hex, then its inode). Empty when there is none, or it is gone.
std::string LockHolder(const struct stat& device) {
  char file[64];
  std::snprintf(file, sizeof file, "%02x:%02x:%llu", major(device.st_dev), minor(device.st_dev),
                static_cast<unsigned long long>(device.st_ino));
  std::ifstream locks("/proc/locks");
  for (std::string line; std::getline(locks, line);) {
    std::istringstream words(line);
    std::string number, kind, mode, access, pid, where;
    words >> number >> kind >> mode >> access >> pid >> where;
    if (kind == "->" || where != file || pid == std::to_string(getpid())) continue;
    return ProcessName(pid);
  }
  return {};
}

// "name (pid N)" of the process that locked the device; else of each other process that has
// it open, as far as we may look.
std::string HoldersOf(const std::string& path) {
  struct stat device {};
  if (stat(path.c_str(), &device) != 0) return {};
  if (std::string locker = LockHolder(device); !locker.empty()) return locker;
  const std::string self = std::to_string(getpid());
  std::string names;
  std::size_t count = 0;
  std::error_code error;
  for (const auto& process : fs::directory_iterator("/proc", error)) {
    const std::string pid = process.path().filename().string();
    if (pid.find_first_not_of("0123456789") != std::string::npos || pid == self) continue;
    if (!Holds(process.path(), device)) continue;
    const std::string name = ProcessName(pid);
    if (name.empty()) continue;
    names += (names.empty() ? "" : ", ") + name;
    if (++count == kMostHoldersNamed) break;
  }
  return names;
}

std::string Reason(const std::string& port, const OpenFailure& failure) {
  const std::string said = std::strerror(failure.code);
  switch (failure.kind) {
    case OpenFailureKind::Missing:
      return "no such device (" + said + "); `zorvant-cli ports` lists the ports present";
    case OpenFailureKind::Permission: {
      const AccessVerdict verdict = CheckAccess(port, Identity::Current());
      return "permission denied: " + (verdict.note.empty() ? said : verdict.note);
    }
    case OpenFailureKind::Busy: {
      const std::string holders = HoldersOf(port);
      return "in use by another program" + (holders.empty() ? "" : ": " + holders);
    }
    case OpenFailureKind::NotSerial:
      return "not a serial port (" + said + ")";
    case OpenFailureKind::Other:
    case OpenFailureKind::None:
      break;
  }
  return said;
}

}  // namespace

void ReportOpenFailure(std::FILE* out, const std::string& port, const OpenFailure& failure) {
  if (failure.kind == OpenFailureKind::None) return;
  std::fprintf(out, "zorvant-cli: %s: %s\n", Echoed(port).c_str(),
               Echoed(Reason(port, failure)).c_str());
}

}  // namespace zv::cli
