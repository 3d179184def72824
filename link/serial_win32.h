// The serial line on Windows: a synchronous, exclusive file handle with its comm settings.
#pragma once

#include <atomic>

#include "link/logger_port.h"

namespace zv {

class Win32Port final : public LoggerPort {
 public:
  Win32Port() = default;
  Win32Port(const Win32Port&) = delete;
  Win32Port& operator=(const Win32Port&) = delete;
  ~Win32Port() override;

  bool OpenPort(const char* name) override;
  OpenFailure LastOpenFailure() const override { return lastFailure_; }
  bool SetUpPort() override;
  bool WriteBytes(const uint8_t* bytes, std::size_t n) override;
  ReadResult ReadBytes(uint8_t* into, std::size_t n) override;
  void DiscardInput() override;
  void Pause(unsigned milliseconds) override;
  void ClosePort() override;

  // Asked from a console control handler (another thread): every read and pause under way or
  // to come fails, so the operation ends the way a failure does and still sends its stop frame.
  static void Interrupt() { interrupted_.store(true); }
  static bool Interrupted() { return interrupted_.load(); }

 private:
  static inline std::atomic<bool> interrupted_{false};

  void* handle_ = nullptr;  // the open port's HANDLE, or none
  OpenFailure lastFailure_;
};

}  // namespace zv
