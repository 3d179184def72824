// What `zorvant-cli info` prints: the panel's four values and the configuration, as text or
// as one JSON object. Texts are converted to UTF-8 and lose their trailing spaces.
#pragma once

#include <cstddef>
#include <cstdio>

#include "base/info_tab.h"

namespace zv::cli {

void PrintInfoText(std::FILE* out, const LoggerInfo& info);
void PrintInfoJson(std::FILE* out, const LoggerInfo& info);

// The JSON object alone (no newline), NUL-terminated, for documents that hold it; returns its
// length, 0 when it does not fit.
inline constexpr std::size_t kInfoJsonCapacity = 1024;
std::size_t FormatInfoJson(const LoggerInfo& info, char (&out)[kInfoJsonCapacity]);

}  // namespace zv::cli
