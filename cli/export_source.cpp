#include "cli/export_source.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/safe_text.h"
#include "cli/exit_codes.h"
#include "samples/export_interval.h"
#include "samples/export_reader.h"

namespace zv::cli {

namespace {

// A full memory exports as about 190 KB; anything much larger is not an export of ours.
constexpr std::size_t kExportFileCapacity = 256 * 1024;

// Fixed storage, as in the program: the file read and the samples it holds.
char g_exportFile[kExportFileCapacity];
SampleBuffer g_exportSamples;

int ExportUnreadable(const char* command, const char* path, const char* why, uint32_t line) {
  const std::string shown = Echoed(path);
  if (line != 0) {
    std::fprintf(stderr, "zorvant-cli %s: %s, line %u: %s\n", command, shown.c_str(), line, why);
  } else {
    std::fprintf(stderr, "zorvant-cli %s: %s: %s\n", command, shown.c_str(), why);
  }
  return kExitBadExport;
}

// The export held in g_exportFile's first `length` bytes.
int DecodeExport(const char* command, const char* path, std::size_t length,
                 ExportRecording& recording) {
  const ExportReadResult result =
      ReadExportFile(g_exportFile, length, g_exportSamples, recording.channelMode);
  if (result.status == ExportReadStatus::Ok) {
    recording.samples = &g_exportSamples;
    if (!ExportIntervalSeconds(g_exportFile, length, recording.intervalSeconds)) {
      recording.intervalSeconds = 0;
    }
    recording.header = ReadExportHeader(g_exportFile, length);
    return kExitOk;
  }
  // A reading's fault is on a line; a header that is no export's is the whole file's.
  const bool onLine = result.status == ExportReadStatus::BadReading ||
                      result.status == ExportReadStatus::TooManyReadings;
  return ExportUnreadable(command, path, ExportReadProblem(result.status),
                          onLine ? result.line : 0);
}

}  // namespace

int ReadExport(const char* command, const char* name, std::span<const uint8_t> bytes,
               ExportRecording& recording) {
  if (bytes.size() >= sizeof g_exportFile) {
    return ExportUnreadable(command, name, "too large to be an export", 0);
  }
  std::copy(bytes.begin(), bytes.end(), g_exportFile);
  return DecodeExport(command, name, bytes.size(), recording);
}

int LoadExport(const char* command, const char* path, ExportRecording& recording) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return ExportUnreadable(command, path, "cannot be opened", 0);
  const std::size_t length = std::fread(g_exportFile, 1, sizeof g_exportFile, file);
  // An export of a full memory is under 200 KiB: a file that fills the buffer is not one.
  const bool tooLarge = length == sizeof g_exportFile;
  const bool whole = std::ferror(file) == 0;
  std::fclose(file);
  if (tooLarge) return ExportUnreadable(command, path, "too large to be an export", 0);
  if (!whole) return ExportUnreadable(command, path, "cannot be read", 0);
  return DecodeExport(command, path, length, recording);
}

}  // namespace zv::cli
