#include <windows.h>

#include <atomic>

#include "cli/process_guard.h"
#include "link/serial_win32.h"

namespace zv::cli {

namespace {

// The exit code after Ctrl+C or Ctrl+Break: the one a POSIX shell reports after SIGINT.
constexpr int kExitInterrupted = 130;

std::atomic<int> g_stopCode{0};

// Runs on a thread of its own. The first Ctrl+C or Ctrl+Break only asks: the port's reads fail
// and the command ends as on a failure, with the stop frame. A second one, or closing the
// console, takes the default action and ends the process at once.
BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  int expected = 0;
  if (!g_stopCode.compare_exchange_strong(expected, kExitInterrupted)) return FALSE;
  Win32Port::Interrupt();
  return TRUE;
}

}  // namespace

// The port is a Win32 handle here, never a runtime descriptor that could take the place of
// a closed standard output.
bool OpenStandardStreams() {
  return true;
}

void CatchStopSignals() {
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool StandardOutputClosed() {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  return out == nullptr || out == INVALID_HANDLE_VALUE;
}

bool StopRequested() {
  return g_stopCode.load() != 0;
}

int StopExitCode() {
  return g_stopCode.load();
}

}  // namespace zv::cli
