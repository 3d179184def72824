#include "cli/archive_access.h"

#include <cstdio>

#include "archive/open_archive.h"
#include "base/safe_text.h"

namespace zv::cli {

void PrintArchiveFailure(const char* command, const archive::ArchiveStatus& status) {
  // The message may carry a path or a server's words: shown as any text from outside is.
  std::fprintf(stderr, "zorvant-cli %s: %s\n", command, Echoed(status.message).c_str());
}

bool OpenChosenArchive(const char* command, const ArchiveChoice& choice, archive::OpenMode mode,
                       std::unique_ptr<archive::ArchiveStore>& store) {
  archive::ArchiveLocation location;
  archive::ArchiveStatus status = archive::ResolveArchiveLocation(
      choice.where.empty() ? nullptr : choice.where.c_str(), location);
  if (status.ok()) status = archive::OpenArchive(location, mode, store);
  if (status.ok()) return true;
  PrintArchiveFailure(command, status);
  return false;
}

}  // namespace zv::cli
