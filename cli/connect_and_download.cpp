#include "cli/connect_and_download.h"

#include "cli/exit_codes.h"
#include "cli/platform_port.h"
#include "cli/port_option.h"
#include "link/download.h"
#include "link/session.h"

namespace zv::cli {

namespace {
// 64 KiB of samples live in static storage, as in the program.
SampleStore g_samples;
}  // namespace

ConnectResult ConnectOn(LoggerSession& session, UserInterface& ui, const char* port) {
  const ConnectResult result = ConnectTo(session, ui, port);
  if (result == ConnectResult::PortUnavailable) {
    ReportOpenFailure(stderr, port, session.port.LastOpenFailure());
  }
  return result;
}

int DownloadFrom(const char* port, TerminalUi& ui, LoggerInfo& info, INFO_TAB& asReceived,
                 const SampleBuffer*& samples) {
  PlatformPort serial;
  LoggerSession session(serial);
  const ConnectResult result = ConnectOn(session, ui, port);
  if (result != ConnectResult::Connected) return ExitCodeFor(result);
  // The download recounts the table's write pointer; the archive keeps it as the logger sent it.
  asReceived = session.info.tab;
  const bool downloaded = RunDownload(session, g_samples, ui);
  info = session.info;  // before the tear-down empties the texts the export writes
  TearDown(session, ui);
  samples = &g_samples.loaded;
  return downloaded ? kExitOk : kExitDownloadFailed;
}

}  // namespace zv::cli
