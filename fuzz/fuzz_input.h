// Takes typed values off the front of a fuzzer's input; past its end every value is zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace zv::fuzz {

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  uint8_t Byte() { return position_ < size_ ? data_[position_++] : 0; }
  uint16_t Word() { return static_cast<uint16_t>(Byte() | Byte() << 8); }
  // Copies up to n bytes; the rest of `out` is zero.
  void Bytes(void* out, std::size_t n) {
    std::memset(out, 0, n);
    const std::size_t take = n < Left() ? n : Left();
    if (take > 0) std::memcpy(out, data_ + position_, take);
    position_ += take;
  }
  std::size_t Left() const { return size_ - position_; }
  const uint8_t* Rest() const { return data_ + position_; }

 private:
  const uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

}  // namespace zv::fuzz
