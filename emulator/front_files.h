// The files kvar2-emu reads and writes besides the terminal: the memory image in and out, and
// the table line that lets a test see what the host last stored.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/info_tab.h"

namespace zv::emu {

// Reads a memory image. False, with the reason in `error`, when the file cannot be read or
// holds more than a logger's memory (kMaxMemoryBytes); reading stops one byte past that, so
// an endless file such as /dev/zero is refused too.
bool ReadMemoryImage(const std::string& path, std::vector<uint8_t>& image, std::string& error);

bool WriteMemoryImage(const std::string& path, const std::vector<uint8_t>& image);

// Writes the 26 table bytes as one line of 52 upper-case hex digits to `path`.tmp and renames
// it over `path`, so a reader finds the previous line or the new one, never half of one.
bool SaveTableLine(const std::string& path, const INFO_TAB& table);

}  // namespace zv::emu
