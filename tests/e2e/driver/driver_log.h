// The driver's log, UTF-8, flushed line by line (Wine's console would show the OEM code page).
#pragma once

#include <string>

namespace zvd {

bool OpenLog(const char* path);
// Writes one line, prefixed with milliseconds since the driver started; also to stderr.
void Log(const std::wstring& line);
void CloseLog();

}  // namespace zvd
