// Commands on files the runner shares with the driver through %ZV_WORK%: the emulator's fault
// file, and copies and comparisons of what the program and the emulator wrote.
#pragma once

#include <string>
#include <vector>

#include "commands.h"

namespace zvd {

// faults "K1 K2": the logger shows these faults from the host's next bytes on ("" for none).
bool Faults(DriverState& s, const std::vector<std::wstring>& w, std::wstring& failure);
// copy-file FROM TO
bool CopyFileCmd(DriverState& s, const std::vector<std::wstring>& w, std::wstring& failure);
// expect-files same|differ A B: the two files hold the same bytes, or not.
bool ExpectFiles(DriverState& s, const std::vector<std::wstring>& w, std::wstring& failure);

}  // namespace zvd
