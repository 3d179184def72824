#include "cli/process_guard.h"

#include <cstdio>

#include "cli/exit_codes.h"

namespace zv::cli {

namespace {
const char* g_settled = nullptr;  // what is done whatever comes, once the outcome is kept
}  // namespace

bool RefuseClosedStdout(const char* command) {
  if (!StandardOutputClosed()) return false;
  std::fprintf(stderr, "zorvant-cli %s: standard output is closed\n", command);
  return true;
}

void KeepOutcome(const char* settled) {
  g_settled = settled;
}

int FinishCommand(int code) {
  // Buffered output reaches a full disk or a closed pipe only now; that is a failure too.
  const bool written = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
  if (StopRequested() && g_settled == nullptr) return StopExitCode();
  if (!written && code == kExitOk) {
    // Never only that: what is already done stays done, and a script must not do it again.
    std::fprintf(stderr, "zorvant-cli: standard output could not be written%s%s\n",
                 g_settled != nullptr ? "; all the same, " : "",
                 g_settled != nullptr ? g_settled : "");
    return kExitFileNotWritten;
  }
  return code;
}

}  // namespace zv::cli
