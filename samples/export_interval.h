// The sampling interval a text export states in its header ("Pomiar co:"), so that a chart
// drawn from an export can put times on its slots as one drawn from the logger does.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zv {

// The seconds of the interval line among the header's first lines; false when there is no
// such line or it names no interval of the table (the "?" of an index the logger reported
// beyond it). Reads nothing outside the `length` bytes given.
bool ExportIntervalSeconds(const char* bytes, std::size_t length, uint32_t& seconds);

}  // namespace zv
