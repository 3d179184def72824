#include "cli/process_guard.h"

#include <cstdio>

#include "cli/exit_codes.h"

namespace zv::cli {

int FinishCommand(int code) {
  // Buffered output reaches a full disk or a closed pipe only now; that is a failure too.
  const bool written = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
  if (StopRequested()) return StopExitCode();
  if (!written && code == kExitOk) {
    std::fputs("zorvant-cli: standard output could not be written\n", stderr);
    return kExitFileNotWritten;
  }
  return code;
}

}  // namespace zv::cli
