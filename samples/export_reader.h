// Reads a text export that this program wrote back into the sample memory it came from, so
// that a chart can be drawn without the logger.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/sample_memory.h"

namespace zv {

enum class ExportReadStatus : uint8_t {
  Ok,
  NotAnExport,      // the eleven header lines are not the export's, or the channels are unknown
  SavedAsUtf8,      // an export's header whose Polish letters an editor re-encoded in UTF-8
  BadReading,       // a reading or a separator differs from what the export writes
  TooManyReadings,  // more readings than the 32,768-byte memory holds
};

// Why a file did not read as an export, for a message ("" for Ok); a reading's fault is on
// the result's line.
const char* ExportReadProblem(ExportReadStatus status);

struct ExportReadResult {
  ExportReadStatus status = ExportReadStatus::NotAnExport;
  uint32_t line = 0;  // 1-based line of the fault; 0 when there is none
};

// Reads `length` bytes of an export (Windows-1250, CRLF or LF line ends) into `samples` and
// the channel mode (1 or 2) of its "Źródło:" line. Any input is safe: nothing is read outside
// the bytes given or written outside `samples`, which is left as it was unless the whole file
// reads. The words come back as the logger's sensor stores them (12 bits, sign-extended), so
// every such word survives an export and its reading back; the one limit of a text export is
// the byte count, which is even (an odd last byte is not exported).
ExportReadResult ReadExportFile(const char* bytes, std::size_t length, SampleBuffer& samples,
                                uint8_t& channelMode);

}  // namespace zv
