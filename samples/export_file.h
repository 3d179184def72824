// The text export file: eleven header lines, then the readings, in Windows-1250 with CRLF.
#pragma once

#include <cstddef>

#include "link/info_tab.h"
#include "samples/sample_buffer.h"

namespace zv {

// Where the file's bytes go: a file, a test's string, a counting sink.
class ByteSink {
 public:
  virtual void Put(const char* bytes, std::size_t n) = 0;

 protected:
  ~ByteSink() = default;
};

// Writes the whole file for the loaded samples; a pure function of its inputs.
void WriteExportFile(const SampleBuffer& samples, const LoggerInfo& info, ByteSink& sink);

}  // namespace zv
