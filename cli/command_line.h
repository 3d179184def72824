// zorvant-cli's whole command line, in the library so that its options compile with the other
// option files (main.cpp only calls it).
#pragma once

namespace zv::cli {

// The exit code of the command that argv names (cli/exit_codes.h).
int RunCommandLine(int argc, char** argv);

}  // namespace zv::cli
