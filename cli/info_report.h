// What `zorvant-cli info` prints: the panel's four values and the configuration, as text or
// as one JSON object. Texts are converted to UTF-8 and lose their trailing spaces.
#pragma once

#include <cstdio>

#include "link/info_tab.h"

namespace zv::cli {

void PrintInfoText(std::FILE* out, const LoggerInfo& info);
void PrintInfoJson(std::FILE* out, const LoggerInfo& info);

}  // namespace zv::cli
