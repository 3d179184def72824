// The serial ports present as a user reads them: one line a port (its name, what it is, whether
// this user may open it), or a JSON array; for `ports` and for the list --port auto prints
// when it cannot choose.
#pragma once

#include <cstdio>
#include <vector>

#include "cli/serial_ports.h"

namespace zv::cli {

void PrintPortsText(std::FILE* out, const std::vector<SerialPort>& ports);
void PrintPortsJson(std::FILE* out, const std::vector<SerialPort>& ports);

}  // namespace zv::cli
