// A port that hands out a prepared byte sequence to reads, whatever was written, and records
// the writes. Enough to drive the download step by step without timing.
#pragma once

#include <cstring>
#include <vector>

#include "link/logger_port.h"

namespace zv::test {

class StreamPort final : public LoggerPort {
 public:
  std::vector<uint8_t> incoming;  // what the reads hand out, in order
  std::size_t position = 0;
  std::vector<uint8_t> written;

  bool OpenPort(const char*) override { return true; }
  bool SetUpPort() override { return true; }
  bool WriteBytes(const uint8_t* bytes, std::size_t n) override {
    written.insert(written.end(), bytes, bytes + n);
    return true;
  }
  ReadResult ReadBytes(uint8_t* into, std::size_t n) override {
    const std::size_t left = incoming.size() - position;
    const std::size_t count = n < left ? n : left;
    if (count > 0) std::memcpy(into, incoming.data() + position, count);
    position += count;
    return {true, count};
  }
  void DiscardInput() override {}  // the prepared bytes are the logger's answers, in order
  void Pause(unsigned) override {}
  void ClosePort() override {}
};

// Counts heap allocations made on this thread while it is alive.
class AllocationCounter {
 public:
  AllocationCounter();
  ~AllocationCounter();
  long count() const;
};

}  // namespace zv::test
