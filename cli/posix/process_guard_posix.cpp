#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

#include "cli/process_guard.h"
#include "link/serial_posix.h"

namespace zv::cli {

namespace {

volatile std::sig_atomic_t g_stopSignal = 0;
bool g_stdoutClosed = false;

void OnStopSignal(int signal) {
  g_stopSignal = signal;
  PosixPort::Interrupt();
}

}  // namespace

bool OpenStandardStreams() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
    if (fd == STDOUT_FILENO) g_stdoutClosed = true;
    // The lowest free descriptor is taken: this very one, as those below it are open.
    const int opened = open("/dev/null", O_RDWR);
    if (opened != fd) return false;
  }
  return true;
}

void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a poll() or nanosleep() under way returns EINTR and the port sees the flag.
  // The first signal only asks; the second, with the default action back, ends the process.
  action.sa_flags = SA_RESETHAND;
  for (const int number : {SIGINT, SIGTERM}) {
    // One the caller ignores stays ignored (a shell script's background job ignores SIGINT).
    struct sigaction inherited {};
    if (sigaction(number, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN) continue;
    sigaction(number, &action, nullptr);
  }
  signal(SIGPIPE, SIG_IGN);
}

bool StandardOutputClosed() {
  return g_stdoutClosed;
}

bool StopRequested() {
  return g_stopSignal != 0;
}

int StopExitCode() {
  return g_stopSignal == 0 ? 0 : 128 + g_stopSignal;
}

}  // namespace zv::cli
