// Keeping what a command did with a logger in the archive: every download (the table as read
// at connect and the memory bytes as received) and every reading of the table. A failure to
// keep never stops the command: its output is written all the same, stderr says the archive
// was not written, and the command ends with kExitArchiveNotWritten.
#pragma once

#include <cstdint>
#include <optional>

#include "base/info_tab.h"
#include "base/sample_memory.h"
#include "cli/archive_choice.h"
#include "report/report_facts.h"

namespace zv::cli {

// What a download is before it is kept: its SHA-256 (INFO_TAB ‖ memory) as `identity`, and,
// when the logger was measuring, the time of its first reading counted back from
// `downloadedAtUtc`. A build without an archive knows neither.
void IdentifyDownload(const INFO_TAB& asReceived, const SampleBuffer& memory,
                      int64_t downloadedAtUtc, RecordingIdentity& identity,
                      std::optional<int64_t>& estimatedStartUtc);

// Keeps the download made on `port`; prints the recording's number on stderr, or why it was
// not kept, and gives `identity` the number and hash it was kept with. Returns kExitOk or
// kExitArchiveNotWritten.
int KeepDownloadInArchive(const char* command, const ArchiveChoice& choice,
                          const INFO_TAB& asReceived, const SampleBuffer& memory, const char* port,
                          RecordingIdentity& identity);

// Records that the table was read on `port`; as above.
int RecordInfoInArchive(const char* command, const ArchiveChoice& choice, const INFO_TAB& table,
                        const char* port);

}  // namespace zv::cli
