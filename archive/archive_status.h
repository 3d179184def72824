// What an archive operation says when it fails: a kind the command line can turn into an exit
// code, and a text that names the archive and the reason. No exception leaves the archive.
#pragma once

#include <cstdint>
#include <exception>
#include <new>
#include <string>
#include <utility>

namespace zv::archive {

enum class ArchiveFault : uint8_t {
  None,
  NotAnArchive,  // not a database, or another program's: named, and never written to
  Corrupt,       // an archive of ours whose database is damaged
  NewerSchema,   // written by a newer program; upgrade before using it
  Absent,        // opened for reading where there is no archive yet
  CannotOpen,    // the file or server cannot be reached: missing folder, no permission
  NotWritten,    // a full disk, a read-only file or an I/O failure while keeping: nothing kept
  Busy,          // another writer held the archive past the time-out
  NotFound,      // no recording of that id or hash
  BadInput,      // what was handed in cannot be kept (an import that is not an export)
  Unavailable,   // this build has no store for that location
  Failed,        // anything else: the library's own error, in the message
};

struct [[nodiscard]] ArchiveStatus {
  ArchiveFault fault = ArchiveFault::None;
  std::string message;

  bool ok() const { return fault == ArchiveFault::None; }
};

inline ArchiveStatus Failure(ArchiveFault fault, std::string message) {
  return {fault, std::move(message)};
}

// Runs `action` (returning ArchiveStatus) so that an exception from a library below (a full
// heap, a JSON value of the wrong type) comes back as a failure, never through the caller.
template <typename Action>
ArchiveStatus WithoutExceptions(Action&& action) noexcept {
  try {
    return action();
  } catch (const std::bad_alloc&) {
    return {ArchiveFault::Failed, "out of memory"};
  } catch (const std::exception& error) {
    return {ArchiveFault::Failed, error.what()};
  } catch (...) {
    return {ArchiveFault::Failed, "unexpected failure"};
  }
}

}  // namespace zv::archive
