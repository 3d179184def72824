// A byte sink that keeps everything written to it, for comparing a writer's output.
#pragma once

#include <string>

#include "base/byte_sink.h"

namespace zv::test {

class StringSink final : public ByteSink {
 public:
  void Put(const char* bytes, std::size_t n) override { text.append(bytes, n); }
  std::string text;
};

}  // namespace zv::test
