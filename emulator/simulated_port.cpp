#include "emulator/simulated_port.h"

#include <algorithm>
#include <cstring>

namespace zv::emu {

namespace {
constexpr Micros kIntervalMicros = Micros{kReadIntervalTimeoutMs} * 1000;
constexpr Micros kPerByteMicros = Micros{kReadPerByteTimeoutMs} * 1000;
}  // namespace

bool SimulatedPort::OpenPort(const char* name) {
  ++openCalls_;
  const std::size_t length = name == nullptr ? 0 : strnlen(name, kNameCapacity - 1);
  std::memcpy(openedName_, name == nullptr ? "" : name, length);
  openedName_[length] = '\0';
  if (failOpen_) return false;
  open_ = true;
  return true;
}

bool SimulatedPort::SetUpPort() {
  return open_ && !failConfigure_;
}

bool SimulatedPort::WriteBytes(const uint8_t* bytes, std::size_t n) {
  const bool pulled = writeCalls_++ >= failWritesFrom_;
  if (!open_ || failAllWrites_ || failNextWrite_ || pulled) {
    failNextWrite_ = false;
    return false;
  }
  // What the logger sent before each byte reaches it is already on the host's side of the
  // line: the logger cannot take it back.
  const bool paced = model_.Setup().paced;
  for (std::size_t i = 0; i < n; ++i) {
    TakeArrived();
    if (paced) now_ += kByteMicros;  // the byte has reached the logger once it is on the wire
    TakeArrived();
    model_.Receive(bytes[i], now_);
  }
  return true;
}

void SimulatedPort::TakeArrived() {
  // Up to a full queue: what comes after waits on the line (an endless unpaced stream would
  // otherwise never end).
  while (queued_ < sizeof queue_ && model_.PopOutput(now_, queue_[queued_])) ++queued_;
}

void SimulatedPort::DiscardInput() {
  TakeArrived();
  queued_ = 0;
  queueHead_ = 0;
}

ReadResult SimulatedPort::ReadBytes(uint8_t* into, std::size_t n) {
  const std::size_t call = readCalls_++;
  if (!open_ || call == failReadCall_) return {false, 0};

  const Micros begun = now_;
  const Micros totalDeadline = begun + kPerByteMicros * static_cast<Micros>(n);
  std::size_t count = 0;
  Micros lastByte = begun;
  // The input queue first: those bytes are there when the read begins.
  while (count < n && queueHead_ < queued_) into[count++] = queue_[queueHead_++];
  if (queueHead_ == queued_) queueHead_ = queued_ = 0;
  while (count < n) {
    // A byte already waiting in the input queue is taken when the read begins.
    const std::optional<Micros> due = model_.NextOutputTime();
    const Micros deadline =
        count == 0 ? totalDeadline : std::min(totalDeadline, lastByte + kIntervalMicros);
    if (!due || std::max(*due, begun) > deadline) {
      now_ = deadline;
      return {true, count};
    }
    lastByte = std::max(*due, begun);
    model_.PopOutput(*due, into[count++]);
  }
  now_ = lastByte;
  return {true, count};
}

}  // namespace zv::emu
