// What `zorvant-cli info` prints: the panel's four values and the configuration, as text or
// as one JSON object; and the pieces `config --dry-run` lists its table with. Texts are
// converted to UTF-8, their controls shown, and lose their trailing spaces.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "base/info_tab.h"

namespace zv::cli {

void PrintInfoText(std::FILE* out, const LoggerInfo& info);
void PrintInfoJson(std::FILE* out, const LoggerInfo& info);

// The JSON object alone, on one line without a line end, for documents that hold it.
std::string InfoJson(const LoggerInfo& info);

// The configuration lines of a table (start delay, interval, duration, channels, signalling)
// as both listings print them; with `indices` each list value is followed by its index.
void PrintConfigurationLines(std::FILE* out, const INFO_TAB& tab, std::size_t channelIndex,
                             bool indices);

// A listing line: one of the program's labels (Windows-1250, its trailing spaces cut) in a
// 19-column field, then `value` (UTF-8) and a line end.
void PrintListingLine(std::FILE* out, const char* labelCp1250, std::size_t labelLength,
                      const char* value);

}  // namespace zv::cli
