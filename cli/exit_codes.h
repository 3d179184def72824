// Exit codes of zorvant-cli, one per kind of failure; --help lists them.
#pragma once

#include "link/session.h"

namespace zv::cli {

enum ExitCode : int {
  kExitOk = 0,
  kExitUsage = 2,
  kExitPortUnavailable = 3,
  kExitPortError = 4,
  kExitNoAnswer = 5,
  kExitNoConnection = 6,
  kExitChecksum = 7,
  kExitDownloadFailed = 8,
  kExitFileNotWritten = 9,
  kExitNotSaved = 10,           // a question of the configuration write was answered "stop"
  kExitSaveUnconfirmed = 11,    // the table was sent, but the logger did not answer afterwards
  kExitBadExport = 12,          // --from-export, archive import: the file is not an export
  kExitNoTypeface = 13,         // PNG or PDF without DejaVu Sans to draw them in
  kExitArchiveNotWritten = 14,  // the command's output is done, but nothing was kept
  kExitArchiveUnreadable = 15,  // archive: the archive cannot be opened or read
  kExitArchiveNotFound = 16,    // archive: no recording of that number
  kExitArchiveBroken = 17,      // archive verify: an altered, removed or inserted record
  kExitVerifyDiffers = 18,      // verify: the file's figures are not the original's
  kExitVerifyNotFound = 19,     // verify: the archive holds no original of the file
};

inline constexpr char kExitCodeHelp[] =
    "Exit codes:\n"
    "  0  success\n"
    "  2  invalid command line or option value (nothing is sent; a chart --position past\n"
    "     the samples is found only after the download); --port auto found no USB serial\n"
    "     port, or several\n"
    "  3  the port cannot be opened (missing, no permission, used by another program, or not\n"
    "     a serial port: a line on stderr says which)\n"
    "  4  an operation on the port failed\n"
    "  5  the logger does not answer\n"
    "  6  the connection cannot be established (wrong greeting reply)\n"
    "  7  checksum error in the logger's information table\n"
    "  8  the sample download failed\n"
    "  9  the output cannot be written (the output file, or standard output: a full disk,\n"
    "     a closed pipe, standard output closed when the command started); when standard\n"
    "     output fails after the output file was written, or after the logger stored a\n"
    "     configuration, stderr says that this was done all the same\n"
    " 10  config: nothing was written, since the memory is full (--when-full stop), erasing\n"
    "     cannot make room (memory start not below memory end), or the channel mode would\n"
    "     change (no --allow-mode-change)\n"
    " 11  config: the configuration was sent, but the logger did not answer afterwards;\n"
    "     whether it stored it is unknown\n"
    " 12  chart, report: the export file given to --from-export cannot be read, or is not\n"
    "     an export of this program; archive import: such a file was refused (the others\n"
    "     were imported); verify: the file cannot be read, or is none of a text export, a\n"
    "     report's JSON or a report's PDF (or an export whose readings do not read)\n"
    " 13  chart, report: a PNG or PDF needs the fonts DejaVu Sans and DejaVu Sans Bold\n"
    "     (Debian: fonts-dejavu-core), and they cannot be found; nothing is drawn in\n"
    "     another font, and nothing is sent to the logger\n"
    " 14  read, report, chart, info, config, archive export: the command's own output was\n"
    "     written (or printed, or the configuration sent), but the archive was not\n"
    "     (read-only, full, busy, not an archive, newer schema): stderr says why;\n"
    "     --no-archive keeps nothing and never fails so. archive import: the archive could\n"
    "     not keep a file (those before it were kept)\n"
    " 15  archive: the archive cannot be opened or read (absent, corrupt, not an archive,\n"
    "     written by a newer program, or no archive in this build)\n"
    " 16  archive show, export, report, chart: no recording of that number\n"
    " 17  archive verify: a recording or an event of the trail was altered, removed or\n"
    "     inserted; the first broken link is named\n"
    " 18  verify: the file's figures are not those of the archived original; each place\n"
    "     that differs is named\n"
    " 19  verify: the archive holds no original of the file (a report that names no\n"
    "     recording, or one the archive lacks; an export of readings the archive lacks)\n"
    "130  interrupted: SIGINT, or Ctrl+C or Ctrl+Break on Windows (143: SIGTERM); the link\n"
    "     ends as on a failure, with the stop frame, and no output file is written. A stop\n"
    "     that comes once the output file is in place, or once a configuration was sent,\n"
    "     leaves the command's own code (0, or 11)\n";

inline int ExitCodeFor(ConnectResult result) {
  switch (result) {
    case ConnectResult::Connected:
      return kExitOk;
    case ConnectResult::PortUnavailable:
      return kExitPortUnavailable;
    case ConnectResult::PortError:
      return kExitPortError;
    case ConnectResult::NoAnswer:
      return kExitNoAnswer;
    case ConnectResult::NoConnection:
      return kExitNoConnection;
    case ConnectResult::ChecksumError:
      return kExitChecksum;
  }
  return kExitPortError;
}

}  // namespace zv::cli
