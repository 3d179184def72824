// zorvant-cli: the logger's information, sample download, chart and report from a terminal, through
// the same connect, download, export and chart code as the program.
#include "cli/command_line.h"

int main(int argc, char** argv) {
  return zv::cli::RunCommandLine(argc, argv);
}
