// Small platform questions of the command line, one file per platform.
#pragma once

namespace zv::cli {

bool StderrIsTerminal();
// Messages are printed in UTF-8; a Windows console is told so.
void UseUtf8Console();

}  // namespace zv::cli
