// The export command: a default file name from the logger's identifier, the save question,
// the text export written to a file that appears only once complete, and the result.
#pragma once

#include <cstddef>

#include "base/byte_sink.h"
#include "base/info_tab.h"
#include "base/message_screen.h"
#include "base/sample_memory.h"

namespace zv {

// Where an export is written: bytes go to a temporary file beside the chosen target, which
// Commit moves over the target once complete; a failed or abandoned file leaves no trace.
class ExportFile : public ByteSink {
 public:
  // Complete, flushed, closed and in place; false when any write or step failed.
  virtual bool Commit() = 0;

 protected:
  ~ExportFile() = default;
};

// What the export asks of the screen besides its messages.
class ExportScreen : public virtual MessageScreen {
 public:
  // The save question, with the proposed name (Windows-1250); false when the user cancels or
  // the dialog fails. The chosen path stays with the screen.
  virtual bool AskExportPath(const char* proposedName) = 0;
  // Creates the export file at the path just chosen; null when it cannot be created.
  virtual ExportFile* CreateExportFile() = 0;

 protected:
  ~ExportScreen() = default;
};

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
void ExportSamples(const LoggerInfo& info, const SampleBuffer& samples, ExportScreen& ui);

}  // namespace zv
