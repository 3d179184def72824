// The files kvar2-emu reads and writes besides the terminal: the memory image in and out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zv::emu {

// Reads a memory image. False, with the reason in `error`, when the file cannot be read or
// holds more than a logger's memory (kMaxMemoryBytes); reading stops one byte past that, so
// an endless file such as /dev/zero is refused too.
bool ReadMemoryImage(const std::string& path, std::vector<uint8_t>& image, std::string& error);

bool WriteMemoryImage(const std::string& path, const std::vector<uint8_t>& image);

}  // namespace zv::emu
