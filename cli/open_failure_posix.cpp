// Why a device path could not be opened, on Linux and macOS. A busy port's holders are found
// by their open descriptors in /proc (Linux; elsewhere they stay unnamed).
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "cli/port_access_posix.h"
#include "cli/port_option.h"

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

// "name (pid N)" of each other process with the device open, as far as we may look.
std::string HoldersOf(const std::string& path) {
  struct stat device {};
  if (stat(path.c_str(), &device) != 0) return {};
  const std::string self = std::to_string(getpid());
  std::string names;
  std::size_t count = 0;
  std::error_code error;
  for (const auto& process : fs::directory_iterator("/proc", error)) {
    const std::string pid = process.path().filename().string();
    if (pid.find_first_not_of("0123456789") != std::string::npos || pid == self) continue;
    if (!Holds(process.path(), device)) continue;
    std::string comm;
    std::getline(std::ifstream(process.path() / "comm"), comm);
    names += (names.empty() ? "" : ", ") + comm.substr(0, 64) + " (pid " + pid + ")";
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
  std::fprintf(out, "zorvant-cli: %s: %s\n", port.c_str(), Reason(port, failure).c_str());
}

}  // namespace zv::cli
