#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/output_file.h"

namespace zv::cli::platform {

namespace {

constexpr int kMaxLinks = 40;  // as many as the kernel follows in one path
constexpr char kTemporarySuffix[] = ".XXXXXX";

// Rewrites `path` to the file its chain of symlinks ends at, which need not exist yet. False,
// with errno set, when a link cannot be read, the path grows past `capacity` or the chain is
// too long.
bool FollowLinks(char* path, std::size_t capacity) {
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    struct stat st {};
    if (lstat(path, &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    char link[PATH_MAX];
    const ssize_t n = readlink(path, link, sizeof link - 1);
    if (n < 0) return false;
    link[n] = '\0';
    // A relative link is relative to the folder that holds it.
    char* slash = link[0] == '/' ? nullptr : std::strrchr(path, '/');
    const std::size_t keep = slash == nullptr ? 0 : static_cast<std::size_t>(slash - path) + 1;
    if (keep + static_cast<std::size_t>(n) + 1 > capacity) {
      errno = ENAMETOOLONG;
      return false;
    }
    std::memcpy(path + keep, link, static_cast<std::size_t>(n) + 1);
  }
  errno = ELOOP;
  return false;
}

// The mode a new export gets: an ordinary file, as the user's umask allows.
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// The longest file name the target's folder takes.
std::size_t NameMax(const char* target) {
  char folder[PATH_MAX] = ".";
  const char* slash = std::strrchr(target, '/');
  if (slash != nullptr) {
    const std::size_t length = slash == target ? 1 : static_cast<std::size_t>(slash - target);
    if (length < sizeof folder) {
      std::memcpy(folder, target, length);
      folder[length] = '\0';
    }
  }
  const long max = pathconf(folder, _PC_NAME_MAX);
  return max > 0 ? static_cast<std::size_t>(max) : NAME_MAX;
}

// Gives the new file the target's owner (where allowed) and mode, or a new file's mode.
bool TakeOverAttributes(int fd, const struct stat* existing) {
  if (existing == nullptr) return fchmod(fd, NewFileMode()) == 0;
  // Another owner can be kept only with privilege; without it the file stays the user's own.
  if (fchown(fd, existing->st_uid, existing->st_gid) != 0) {
  }
  return fchmod(fd, existing->st_mode & 07777) == 0;
}

// A new temporary file beside `target`, with a name that fits the folder however long the
// target's is.
std::FILE* CreateTemporaryBeside(const char* target, const struct stat* existing, char* temporary,
                                 std::size_t capacity) {
  // PATH_MAX counts the NUL: a path takes one byte less.
  if (!TemporaryPrefix(target, sizeof kTemporarySuffix - 1, NameMax(target), PATH_MAX - 1,
                       temporary, capacity)) {
    errno = ENAMETOOLONG;
    return nullptr;
  }
  std::strcat(temporary, kTemporarySuffix);
  const int fd = mkstemp(temporary);
  if (fd < 0) return nullptr;
  std::FILE* file = TakeOverAttributes(fd, existing) ? fdopen(fd, "wb") : nullptr;
  if (file == nullptr) {
    close(fd);
    unlink(temporary);
  }
  return file;
}

// A device or a FIFO takes the bytes itself; it is never replaced.
std::FILE* OpenInPlace(const char* target) {
  const int fd = open(target, O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  std::FILE* file = fstat(fd, &st) == 0 && !S_ISREG(st.st_mode) ? fdopen(fd, "wb") : nullptr;
  if (file == nullptr) close(fd);
  return file;
}

// The output's stream; null with errno set when it cannot be had.
std::FILE* OpenTargetOrTemporary(char* target, std::size_t capacity, char* temporary,
                                 std::size_t temporaryCapacity) {
  struct stat st {};
  const bool exists = stat(target, &st) == 0;
  if (!exists && errno != ENOENT) return nullptr;
  if (exists && S_ISDIR(st.st_mode)) {
    errno = EISDIR;
    return nullptr;
  }
  // Opened by the path as given, so that /dev/stdout and its kind reach the open pipe.
  if (exists && !S_ISREG(st.st_mode)) return OpenInPlace(target);
  // Only a regular file (or none yet) is replaced, and only where its links lead.
  if (!FollowLinks(target, capacity)) return nullptr;
  return CreateTemporaryBeside(target, exists ? &st : nullptr, temporary, temporaryCapacity);
}

}  // namespace

std::FILE* OpenOutput(char* target, std::size_t capacity, char* temporary,
                      std::size_t temporaryCapacity, int& error) {
  temporary[0] = '\0';
  std::FILE* file = OpenTargetOrTemporary(target, capacity, temporary, temporaryCapacity);
  error = file == nullptr ? errno : 0;
  return file;
}

bool SyncToDisk(std::FILE* file) {
  return fsync(fileno(file)) == 0;
}

bool MoveOverTarget(const char* temporary, const char* target) {
  return std::rename(temporary, target) == 0;
}

void RemoveFile(const char* path) {
  unlink(path);
}

}  // namespace zv::cli::platform
