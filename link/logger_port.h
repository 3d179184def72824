// The serial line to the logger: the one seam between the link operations and a platform.
#pragma once

#include <cstddef>
#include <cstdint>

#include "link/open_failure.h"

namespace zv {

// The read time-outs every backend keeps.
inline constexpr unsigned kReadIntervalTimeoutMs = 250;  // silence after a byte ends a read
inline constexpr unsigned kReadPerByteTimeoutMs = 100;   // a read of n bytes ends after 100*n ms

struct ReadResult {
  bool ok = false;        // the platform call itself succeeded
  std::size_t count = 0;  // bytes that arrived, 0 to n
};

class LoggerPort {
 public:
  virtual ~LoggerPort() = default;
  // Opens the named port exclusively ("COM3" on Windows, a device path elsewhere).
  virtual bool OpenPort(const char* name) = 0;
  // Why the last OpenPort failed; a port that cannot tell says None.
  virtual OpenFailure LastOpenFailure() const { return {}; }
  // The line set-up: 9600 baud 8N1, the time-outs, both queues purged, RTS raised; the first
  // failing step ends it (the port stays open). A port without modem lines (a pseudo-terminal)
  // has no RTS to raise: the POSIX backend accepts it, the Win32 one fails there.
  virtual bool SetUpPort() = 0;
  // Writes are not timed; the result is the call's success only.
  virtual bool WriteBytes(const uint8_t* bytes, std::size_t n) = 0;
  // Ends at n bytes, 250 ms after a byte with no next one, or 100*n ms after it began.
  virtual ReadResult ReadBytes(uint8_t* into, std::size_t n) = 0;
  // Drops whatever has arrived and not been read.
  virtual void DiscardInput() = 0;
  // The fixed pauses of the greeting; a simulated port only advances its clock.
  virtual void Pause(unsigned milliseconds) = 0;
  virtual void ClosePort() = 0;
};

}  // namespace zv
