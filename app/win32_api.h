// <windows.h> for the program's files.
#pragma once

#include <windows.h>
// windows.h first: the common-controls header needs its types.
#include <commctrl.h>
