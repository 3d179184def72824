// A LoggerPort wired straight to a LoggerModel on a virtual clock: pauses and reads move the
// clock instead of waiting, so a 1.3 s greeting costs no real time. Reads follow the line's
// time-out rules exactly by looking at the model's scheduled output. Nothing is allocated per
// call, so allocation-counting tests can run through it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "emulator/logger_model.h"
#include "link/logger_port.h"

namespace zv::emu {

class SimulatedPort final : public LoggerPort {
 public:
  explicit SimulatedPort(LoggerModel& model) : model_(model) {}

  bool OpenPort(const char* name) override;
  bool SetUpPort() override;
  bool WriteBytes(const uint8_t* bytes, std::size_t n) override;
  ReadResult ReadBytes(uint8_t* into, std::size_t n) override;
  void DiscardInput() override;
  void Pause(unsigned milliseconds) override { now_ += Micros{milliseconds} * 1000; }
  void ClosePort() override { open_ = false; }

  // Test hooks.
  void FailOpen(bool fail = true) { failOpen_ = fail; }
  void FailConfigure(bool fail = true) { failConfigure_ = fail; }
  void FailNextWrite() { failNextWrite_ = true; }
  void FailAllWrites(bool fail = true) { failAllWrites_ = fail; }
  // The WriteBytes call with this number (0 for the first since construction) fails, and every
  // one after it: the adapter is gone.
  void FailWritesFrom(std::size_t callNumber) { failWritesFrom_ = callNumber; }
  void FailNextRead() { failReadCall_ = readCalls_; }
  // The ReadBytes call with this number (0 for the first since construction) fails as a call.
  void FailReadCall(std::size_t callNumber) { failReadCall_ = callNumber; }

  const char* OpenedName() const { return openedName_; }
  bool IsOpen() const { return open_; }
  std::size_t OpenCalls() const { return openCalls_; }
  std::size_t ReadCalls() const { return readCalls_; }
  std::size_t WriteCalls() const { return writeCalls_; }
  Micros Now() const { return now_; }
  Micros NowMs() const { return now_ / 1000; }
  LoggerModel& Model() { return model_; }

 private:
  static constexpr std::size_t kNameCapacity = 256;
  static constexpr std::size_t kNoCall = static_cast<std::size_t>(-1);

  // Moves what the logger has sent by now into the host's input queue.
  void TakeArrived();

  LoggerModel& model_;
  Micros now_ = 0;
  // Bytes that reached the host before its last write and have not been read (the driver's
  // input queue of the real line); 4 KiB, like a terminal's.
  uint8_t queue_[4096]{};
  std::size_t queued_ = 0;
  std::size_t queueHead_ = 0;
  bool open_ = false;
  char openedName_[kNameCapacity]{};
  bool failOpen_ = false;
  bool failConfigure_ = false;
  bool failNextWrite_ = false;
  bool failAllWrites_ = false;
  std::size_t failReadCall_ = kNoCall;
  std::size_t failWritesFrom_ = kNoCall;
  std::size_t openCalls_ = 0;
  std::size_t readCalls_ = 0;
  std::size_t writeCalls_ = 0;
};

}  // namespace zv::emu
