// The fixed facts of the serial protocol, defined once for the link, the emulator and the tests.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zv {

// 9600 baud, 8N1: ten bits a byte.
inline constexpr unsigned kBaudRate = 9600;
inline constexpr long long kByteMicros = 10'000'000LL / kBaudRate + 1;  // 1042 us a byte

inline constexpr uint8_t WAKE = 0x58;  // 'X'
inline constexpr uint8_t GREETING[7] = {'L', 'K', 'M', 'R', '4', '8', '2'};
inline constexpr uint8_t GREETING_REPLY[6] = {'T', 'W', 'D', '9', '1', '5'};
// The logger's "ready for a command"; the host sends it too, to acknowledge the end marker.
inline constexpr uint8_t READY = 0x23;  // '#'

inline constexpr uint8_t kCommandFrameStart = 0xA1;
enum : uint8_t { CMD_PING = 1, CMD_READ_INFO = 2, CMD_WRITE_INFO = 3, CMD_READ_MEMORY = 4 };
// The logger ends the link on the stop frame's leading 0x00.
inline constexpr uint8_t kStopFrameStart = 0x00;

inline constexpr std::size_t kInfoTabSize = 26;
inline constexpr std::size_t kLoggerIdSize = 14;  // 13 characters and a NUL

// The memory stream: blocks of 32 data bytes and their sum8; the data end with two
// END_MARKER_BYTEs inside one block (the second may be the block's check byte).
inline constexpr std::size_t kBlockDataBytes = 32;
inline constexpr std::size_t kDataBlockSize = kBlockDataBytes + 1;
inline constexpr uint8_t END_MARKER_BYTE = 0xAA;

// The most sample bytes a download keeps; a stream that goes on past it fails.
inline constexpr std::size_t kSampleMemoryBytes = 32768;

}  // namespace zv
