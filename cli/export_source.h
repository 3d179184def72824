// An export file as a source of samples for the commands that draw or report without a
// logger: read whole into fixed storage, checked, and turned into the samples it holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "base/sample_memory.h"
#include "samples/export_header.h"

namespace zv::cli {

// What an export gives: the samples, the channel mode, the interval when its header names
// one (0 otherwise), and its header's values (pointing into the file's storage, valid until
// the next load).
struct ExportRecording {
  const SampleBuffer* samples = nullptr;
  uint8_t channelMode = 1;
  uint32_t intervalSeconds = 0;
  ExportHeader header;
};

// Loads `path`; on failure prints "zorvant-cli <command>: <path>: <why>" and returns
// kExitBadExport, else kExitOk.
int LoadExport(const char* command, const char* path, ExportRecording& recording);

// The same for an export's bytes held elsewhere (an imported recording), named `name` in the
// messages.
int ReadExport(const char* command, const char* name, std::span<const uint8_t> bytes,
               ExportRecording& recording);

inline constexpr char kFromExportHelp[] =
    "Export file written by this program or 'zorvant-cli read', instead of a logger. Every "
    "reading comes back as the sensor stored it; an odd last byte is not exported.";

}  // namespace zv::cli
