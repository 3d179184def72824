// Keeping what a command did in the archive: every download (the table as read at connect and
// the memory bytes as received), every reading of the table, every configuration write and
// every file written. A failure to keep never stops the command: its output is written all the
// same, stderr says the archive was not written, and the command ends with kExitArchiveNotWritten.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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

// The configuration write on `port`: the table before and the one sent (the same when nothing
// was sent), each question asked with the answer given, and how it ended ("stored",
// "unconfirmed", "not_written"); as above.
using GivenAnswers = std::vector<std::pair<std::string, std::string>>;
int RecordConfigWriteInArchive(const char* command, const ArchiveChoice& choice, const char* port,
                               const INFO_TAB& before, const INFO_TAB& after,
                               const GivenAnswers& answers, const char* outcome);

// A file the command wrote and put in place at `path` in `format` ("txt", "pdf", ...): its
// SHA-256 as it lies on disk, and the recording it was made from (its SHA-256 in hex, empty
// when the file came from an export the archive does not keep). Standard output, a device or
// a FIFO is no file to record: kExitOk. As above.
int RecordFileWrittenInArchive(const char* command, const ArchiveChoice& choice,
                               const std::string& path, const char* format,
                               const std::string& recordingSha256);

// A command's code once its file is written: a failure of the output stands, then the keeping
// of its download; else the file joins the trail. A download the archive did not keep names a
// recording the trail cannot refer to, so its file is not recorded either.
inline int FinishWrittenFile(int outputCode, int downloadCode, const char* command,
                             const ArchiveChoice& choice, const std::string& path,
                             const char* format, const std::string& recordingSha256) {
  if (outputCode != 0 || downloadCode != 0) return outputCode != 0 ? outputCode : downloadCode;
  return RecordFileWrittenInArchive(command, choice, path, format, recordingSha256);
}

}  // namespace zv::cli
