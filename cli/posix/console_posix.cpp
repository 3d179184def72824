#include <unistd.h>

#include "cli/console.h"

namespace zv::cli {

bool StderrIsTerminal() {
  return isatty(STDERR_FILENO) == 1;
}

// A terminal on Linux and macOS takes UTF-8 as it comes.
void UseUtf8Console() {}

}  // namespace zv::cli
