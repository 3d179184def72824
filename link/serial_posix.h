// The serial line on Linux and macOS: a device path opened exclusively, raw 9600 8N1, and
// reads under the same time-outs as every other backend, measured with poll(). The line's
// own settings are put back when it closes.
#pragma once

#include <termios.h>

#include <csignal>

#include "link/logger_port.h"

namespace zv {

class PosixPort final : public LoggerPort {
 public:
  PosixPort() = default;
  ~PosixPort() override { ClosePort(); }
  PosixPort(const PosixPort&) = delete;
  PosixPort& operator=(const PosixPort&) = delete;

  // `name` is the device path, e.g. /dev/ttyUSB0 or an emulator's symlink.
  bool OpenPort(const char* name) override;
  OpenFailure LastOpenFailure() const override { return lastFailure_; }
  bool SetUpPort() override;
  bool WriteBytes(const uint8_t* bytes, std::size_t n) override;
  ReadResult ReadBytes(uint8_t* into, std::size_t n) override;
  void DiscardInput() override;
  void Pause(unsigned milliseconds) override;
  void ClosePort() override;

  // Called from a signal handler (it only sets a flag): from then on every read and pause
  // of every port ends at once, the read as failed, so the operation under way fails through
  // its usual path, which still writes the stop frame and closes the port.
  static void Interrupt() { interrupted_ = 1; }
  static bool Interrupted() { return interrupted_ != 0; }

 private:
  // Records why the open failed (errno as the failing call left it), closes `fd` if one was
  // opened, and returns false.
  bool Refused(OpenFailureKind kind, int error, int fd);

  static inline volatile std::sig_atomic_t interrupted_ = 0;
  int fd_ = -1;
  bool settingsSaved_ = false;
  OpenFailure lastFailure_;
  termios savedSettings_{};
};

}  // namespace zv
