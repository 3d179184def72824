// Gathers small pieces so that a sink receives a few large writes, not one per reading.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/byte_sink.h"
#include "base/text1250.h"

namespace zv {

class ChunkWriter {
 public:
  explicit ChunkWriter(ByteSink& sink) : sink_(sink) {}
  ChunkWriter(const ChunkWriter&) = delete;
  ChunkWriter& operator=(const ChunkWriter&) = delete;

  void Put(const char* bytes, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) Put(bytes[i]);
  }
  void Put(char byte) {
    if (used_ == sizeof chunk_) Flush();
    chunk_[used_++] = byte;
  }
  template <std::size_t N>
  void Put(const Text1250<N>& text) {
    Put(text.bytes, text.length);
  }
  // A string literal without its NUL.
  template <std::size_t N>
  void Put(const char (&literal)[N]) {
    Put(literal, N - 1);
  }
  // An unsigned number in decimal, no padding.
  void PutDecimal(uint64_t value) {
    char digits[20];
    std::size_t count = 0;
    do {
      digits[count++] = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value != 0);
    while (count != 0) Put(digits[--count]);
  }
  void Flush() {
    if (used_ != 0) sink_.Put(chunk_, used_);
    used_ = 0;
  }

 private:
  ByteSink& sink_;
  char chunk_[512];
  std::size_t used_ = 0;
};

}  // namespace zv
