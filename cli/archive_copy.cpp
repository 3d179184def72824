#include "cli/archive_copy.h"

#include <cstdio>
#include <memory>

#include "archive/copy_archive.h"
#include "base/safe_text.h"
#include "cli/archive_access.h"
#include "cli/exit_codes.h"

namespace zv::cli {

namespace {

constexpr char kCommand[] = "archive copy";

int ExitFor(const archive::ArchiveStatus& status) {
  switch (status.fault) {
    case archive::ArchiveFault::Corrupt:
      return kExitArchiveBroken;
    case archive::ArchiveFault::NotWritten:
    case archive::ArchiveFault::Busy:
      return kExitArchiveNotWritten;
    default:
      return kExitArchiveUnreadable;
  }
}

}  // namespace

CLI::App* AddArchiveCopy(CLI::App& archive, ArchiveChoice& chosen, ArchiveCopyOptions& options) {
  auto* copy = archive.add_subcommand(
      "copy",
      "Copy every recording and event of one archive into another (a file or a postgresql:// "
      "URL), each checked on the way; run again, it copies only what is new");
  AddArchiveOptions(*copy, chosen);
  copy->add_option("--from", options.from,
                   "The archive copied from (default: the one --archive names)")
      ->type_name("PATH|URL");
  copy->add_option("--to", options.to, "The archive copied into; set up when empty")
      ->type_name("PATH|URL")
      ->required();
  return copy;
}

int RunArchiveCopy(const ArchiveChoice& chosen, const ArchiveCopyOptions& options) {
  const ArchiveChoice source = options.from.empty() ? chosen : ArchiveChoice{options.from, false};
  if (source.none) {
    std::fprintf(stderr, "zorvant-cli %s: --no-archive leaves nothing to copy from\n", kCommand);
    return kExitUsage;
  }
  std::unique_ptr<archive::ArchiveStore> from;
  std::unique_ptr<archive::ArchiveStore> to;
  if (!OpenChosenArchive(kCommand, source, archive::OpenMode::ReadOnly, from)) {
    return kExitArchiveUnreadable;
  }
  if (!OpenChosenArchive(kCommand, ArchiveChoice{options.to, false}, archive::OpenMode::ReadWrite,
                         to)) {
    return kExitArchiveNotWritten;
  }
  if (from->Name() == to->Name()) {
    std::fprintf(stderr, "zorvant-cli %s: %s is both the source and the destination\n", kCommand,
                 Echoed(to->Name()).c_str());
    return kExitUsage;
  }
  archive::CopyCounts counts;
  const archive::ArchiveStatus status = archive::CopyArchive(*from, *to, counts);
  // What went over before a failure stays, whole: say it either way.
  std::printf("%s -> %s: %llu event(s) read, %llu copied, %llu recording(s) copied\n",
              Echoed(from->Name()).c_str(), Echoed(to->Name()).c_str(),
              static_cast<unsigned long long>(counts.events),
              static_cast<unsigned long long>(counts.eventsCopied),
              static_cast<unsigned long long>(counts.recordingsCopied));
  if (!status.ok()) {
    PrintArchiveFailure(kCommand, status);
    return ExitFor(status);
  }
  return kExitOk;
}

}  // namespace zv::cli
