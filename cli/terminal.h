// Small platform questions of the command line, one file per platform.
#pragma once

namespace zv::cli {

bool StderrIsTerminal();

}  // namespace zv::cli
