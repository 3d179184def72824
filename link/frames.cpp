#include "link/frames.h"

#include <cstring>

namespace zv {

GreetingOutcome RunGreeting(LoggerPort& port) {
  port.Pause(kWakeDelayMs);
  if (!port.WriteBytes(&WAKE, 1)) return GreetingOutcome::PortFailure;
  port.Pause(kGreetingDelayMs);
  if (!port.WriteBytes(GREETING, sizeof GREETING)) return GreetingOutcome::PortFailure;

  uint8_t reply[sizeof GREETING_REPLY];
  const ReadResult read = port.ReadBytes(reply, sizeof reply);
  if (!read.ok) return GreetingOutcome::PortFailure;
  if (read.count == 0) return GreetingOutcome::NoAnswer;
  if (read.count == sizeof reply && std::memcmp(reply, GREETING_REPLY, sizeof reply) == 0) {
    return GreetingOutcome::Accepted;
  }
  return GreetingOutcome::WrongAnswer;
}

bool SendCommand(LoggerPort& port, uint8_t code) {
  const CommandFrame frame = MakeCommandFrame(code);
  return port.WriteBytes(frame.bytes, sizeof frame.bytes);
}

bool Ping(LoggerPort& port) {
  // Whatever the logger sent unasked is not its answer: the rest of a stream that a failed
  // download abandoned would otherwise be read as "not ready" by every later operation.
  port.DiscardInput();
  SendCommand(port, CMD_PING);
  uint8_t answer = 0;
  const ReadResult read = port.ReadBytes(&answer, 1);
  return read.ok && read.count == 1 && answer == READY;
}

void SendStop(LoggerPort& port) {
  port.WriteBytes(StopFrame, sizeof StopFrame);
}

}  // namespace zv
