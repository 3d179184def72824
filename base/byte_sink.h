// Where written bytes go: a file, a test's string, a counting sink.
#pragma once

#include <cstddef>

namespace zv {

class ByteSink {
 public:
  virtual void Put(const char* bytes, std::size_t n) = 0;

 protected:
  ~ByteSink() = default;
};

}  // namespace zv
