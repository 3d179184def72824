// The export command: a default file name from the logger's identifier, the save question,
// the text export written to a file that appears only once complete, and the result.
#pragma once

#include <cstddef>

#include "link/info_tab.h"
#include "link/user_interface.h"
#include "samples/sample_buffer.h"

namespace zv {

// The identifier made fit for a file name, at most 13 bytes of Windows-1250 and a NUL.
struct ExportName {
  char text[kLoggerIdSize] = {};
  std::size_t length = 0;
  bool renamed = false;  // a character was replaced
};

// The Logger_ID up to its NUL (13 bytes at most, even without one), with each of the nine
// characters a file name cannot hold (\ / : * ? " < > |) and each control character
// replaced by '_'.
ExportName DefaultExportName(const INFO_TAB& tab);

// The renaming notice, the save question, the file, then "saved" only once the file is
// complete and in place; a file that cannot be created or completed is reported as not saved.
void ExportSamples(const LoggerInfo& info, const SampleBuffer& samples, UserInterface& ui);

}  // namespace zv
