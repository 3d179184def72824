// The commands of the driver's script language; each either acts or waits for an expectation
// with a time-out, and explains a failure in one line.
#pragma once

#include <windows.h>

#include <string>

#include "script.h"

namespace zvd {

struct DriverState {
  HWND main = nullptr;
  DWORD timeout_ms = 10000;  // every wait is bounded by this, unless a command names its own
  std::wstring exe_path;     // the program, for recognising its own icon resources
  std::wstring log_path;     // the driver's log; pictures are written beside it
};

// Runs one script line; on failure returns false with `failure` describing what was seen.
bool RunCommand(DriverState& state, const ScriptLine& line, std::wstring& failure);

}  // namespace zvd
