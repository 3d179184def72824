#include "cli/process_guard.h"

namespace zv::cli {

// The port is a Win32 handle here, never a runtime descriptor that could take the place of
// a closed standard output.
bool OpenStandardStreams() {
  return true;
}

// Ctrl+C keeps its default there: the process ends and Windows closes the port.
void CatchStopSignals() {}

bool StopRequested() {
  return false;
}

int StopExitCode() {
  return 0;
}

}  // namespace zv::cli
