// Keeping what a command did with a logger in the archive: every download (the table as read
// at connect and the memory bytes as received) and every reading of the table. A failure to
// keep never stops the command: its output is written all the same, stderr says the archive
// was not written, and the command ends with kExitArchiveNotWritten.
#pragma once

#include "base/info_tab.h"
#include "base/sample_memory.h"
#include "cli/archive_choice.h"

namespace zv::cli {

// Keeps the download made on `port`; prints the recording's number on stderr, or why it was
// not kept. Returns kExitOk or kExitArchiveNotWritten.
int KeepDownloadInArchive(const char* command, const ArchiveChoice& choice,
                          const INFO_TAB& asReceived, const SampleBuffer& memory, const char* port);

// Records that the table was read on `port`; as above.
int RecordInfoInArchive(const char* command, const ArchiveChoice& choice, const INFO_TAB& table,
                        const char* port);

}  // namespace zv::cli
