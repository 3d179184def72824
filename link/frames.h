// The fixed byte sequences on the line, written once over LoggerPort.
#pragma once

#include <cstdint>

#include "base/wire.h"
#include "link/logger_port.h"

namespace zv {

inline constexpr unsigned kWakeDelayMs = 400;      // after RTS, before the wake byte
inline constexpr unsigned kGreetingDelayMs = 900;  // after the wake byte, before the greeting

struct CommandFrame {
  uint8_t bytes[4];
};

// A1, k, k*4, and a check byte that makes the four bytes sum to 0 modulo 256.
constexpr CommandFrame MakeCommandFrame(uint8_t code) {
  const uint8_t b2 = static_cast<uint8_t>(code * 4);
  const uint8_t check = static_cast<uint8_t>(0 - (kCommandFrameStart + code + b2));
  return {{kCommandFrameStart, code, b2, check}};
}

// Ends the link; the logger acts on the leading 0x00. The rest is fixed at zero.
inline constexpr uint8_t StopFrame[4] = {kStopFrameStart, 0x00, 0x00, 0x00};

enum class GreetingOutcome { Accepted, NoAnswer, WrongAnswer, PortFailure };

GreetingOutcome RunGreeting(LoggerPort& port);
// False when the port failed to write the frame.
bool SendCommand(LoggerPort& port, uint8_t code);
// Ready only when exactly one byte arrived and it is '#'; what waited unread before the
// ready check is dropped first.
bool Ping(LoggerPort& port);
void SendStop(LoggerPort& port);

}  // namespace zv
