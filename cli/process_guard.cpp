#include "cli/process_guard.h"

#include <cstdio>

#include "cli/exit_codes.h"

namespace zv::cli {

namespace {
bool g_outcomeKept = false;
}  // namespace

bool RefuseClosedStdout(const char* command) {
  if (!StandardOutputClosed()) return false;
  std::fprintf(stderr, "zorvant-cli %s: standard output is closed\n", command);
  return true;
}

void KeepOutcome() {
  g_outcomeKept = true;
}

int FinishCommand(int code) {
  // Buffered output reaches a full disk or a closed pipe only now; that is a failure too.
  const bool written = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
  if (StopRequested() && !g_outcomeKept) return StopExitCode();
  if (!written && code == kExitOk) {
    std::fputs("zorvant-cli: standard output could not be written\n", stderr);
    return kExitFileNotWritten;
  }
  return code;
}

}  // namespace zv::cli
