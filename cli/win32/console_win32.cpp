#include <io.h>
#include <stdio.h>
#include <windows.h>

#include "cli/console.h"

namespace zv::cli {

bool StderrIsTerminal() {
  return _isatty(_fileno(stderr)) != 0;
}

void UseUtf8Console() {
  SetConsoleOutputCP(CP_UTF8);
}

}  // namespace zv::cli
