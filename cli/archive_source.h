// The archive as a source of recordings: one kept recording loaded for a report or a chart, and
// the kept recording an export file's readings are those of.
#pragma once

#include <cstdint>

#include "base/sample_memory.h"
#include "cli/archive_choice.h"
#include "cli/recording_source.h"
#include "report/report_facts.h"

namespace zv::cli {

// Loads recording `id`: a download decoded as the download was, an import's file read as
// --from-export reads one; with its identity, and the start estimated from the time it was
// downloaded. Prints why not, and returns kExitArchiveNotFound when there is no such recording,
// kExitArchiveUnreadable when the archive or the recording cannot be read.
int LoadKeptRecording(const char* command, const ArchiveChoice& choice, int64_t id,
                      Recording& recording);

// The oldest kept recording whose readings are those: unknown when there is none, or no archive
// to look in (nothing is printed: an export needs no archive).
RecordingIdentity FindReadingsInArchive(const ArchiveChoice& choice, const SampleBuffer& samples,
                                        uint8_t channelMode);

}  // namespace zv::cli
