// <windows.h> for the program's files. Its ConfigurePort macro (a printer-port dialog) would
// rename LoggerPort::ConfigurePort in any file that sees both.
#pragma once

#include <windows.h>
// windows.h first: the common-controls header needs its types.
#include <commctrl.h>

#undef ConfigurePort
