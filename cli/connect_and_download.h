// The link operations as the command line runs them: on a named port, each failure printed
// by the same operation the program runs, and turned into the command's exit code.
#pragma once

#include "base/info_tab.h"
#include "base/sample_memory.h"
#include "cli/terminal_ui.h"
#include "link/session.h"

namespace zv::cli {

// The connect sequence on a named port; when the port cannot be opened, a line on stderr
// follows the message and says why.
ConnectResult ConnectOn(LoggerSession& session, UserInterface& ui, const char* port);

// Connects, downloads the sample memory and disconnects. On success `info` holds what the
// logger reported (recounted after the download), `asReceived` the table as it came at
// connect, and `samples` the loaded memory, which lives in static storage until the next
// download. Returns an exit code.
int DownloadFrom(const char* port, TerminalUi& ui, LoggerInfo& info, INFO_TAB& asReceived,
                 const SampleBuffer*& samples);

}  // namespace zv::cli
