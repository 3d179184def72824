// The serial line to the logger: the one seam between the link operations and a platform.
#pragma once

#include <cstddef>
#include <cstdint>

// <windows.h> defines ConfigurePort as a macro of its own; the port's operation keeps its name.
#ifdef ConfigurePort
#undef ConfigurePort
#endif

namespace zv {

// Fixed line set-up shared by every backend.
inline constexpr char kLineSettings[] = "baud=9600 parity=N data=8 stop=1";
inline constexpr unsigned kReadIntervalTimeoutMs = 250;  // silence after a byte ends a read
inline constexpr unsigned kReadPerByteTimeoutMs = 100;   // a read of n bytes ends after 100*n ms
inline constexpr unsigned kInputQueueSize = 660;         // twenty 33-byte blocks
inline constexpr unsigned kOutputQueueSize = 66;

struct ReadResult {
  bool ok = false;        // the platform call itself succeeded
  std::size_t count = 0;  // bytes that arrived, 0 to n
};

class LoggerPort {
 public:
  virtual ~LoggerPort() = default;
  // Opens the named port exclusively ("COM3" on Windows, a device path elsewhere).
  virtual bool OpenPort(const char* name) = 0;
  // The eight set-up steps in order; the first failing one ends it (the port stays open).
  virtual bool ConfigurePort() = 0;
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
