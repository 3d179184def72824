// Tells which icon a static picture control shows by comparing its pixels on the screen with
// candidate icons drawn locally on the same background. Handles of another process's icons
// cannot be drawn here, so the screen is the only common ground.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zvd {

struct IconCandidate {
  std::wstring name;
  HICON icon;
};

struct IconVerdict {
  std::wstring best;       // name of the closest candidate, empty when nothing could be captured
  double mismatch = 1.0;   // share of differing pixels for the best candidate
  double runner_up = 1.0;  // the same for the second best
};

// The four system icons of message boxes, by the names the scripts use.
std::vector<IconCandidate> SystemIcons();
// Icon resources of an executable, loaded as data (e.g. "icon2", "icon3").
std::vector<IconCandidate> ResourceIcons(const std::wstring& exe_path,
                                         const std::vector<std::wstring>& names);

IconVerdict MatchIcon(HWND picture, const std::vector<IconCandidate>& candidates);

}  // namespace zvd
