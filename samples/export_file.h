// The text export file: eleven header lines, then the readings, in Windows-1250 with CRLF.
#pragma once

#include <cstddef>

#include "base/byte_sink.h"
#include "base/info_tab.h"
#include "base/sample_memory.h"

namespace zv {

// Writes the whole file for the loaded samples; a pure function of its inputs.
void WriteExportFile(const SampleBuffer& samples, const LoggerInfo& info, ByteSink& sink);

}  // namespace zv
