#include <unistd.h>

#include "cli/terminal.h"

namespace zv::cli {

bool StderrIsTerminal() {
  return isatty(STDERR_FILENO) == 1;
}

}  // namespace zv::cli
