#include "cli/info_command.h"

#include "cli/connect_and_download.h"
#include "cli/download_keeping.h"
#include "cli/exit_codes.h"
#include "cli/info_listing.h"
#include "cli/platform_port.h"
#include "cli/port_option.h"
#include "cli/process_guard.h"
#include "cli/terminal_ui.h"
#include "link/session.h"

namespace zv::cli {

CLI::App* AddInfoCommand(CLI::App& app, InfoOptions& options) {
  auto* info = app.add_subcommand("info", "Connect, print the logger's information, disconnect.");
  info->add_option("--port", options.port, kPortHelp)->required();
  info->add_flag("--json", options.json, "Print one JSON object instead of text");
  AddArchiveOptions(*info, options.archive);
  return info;
}

int RunInfo(const InfoOptions& options) {
  // What the logger reports is the command's whole product.
  if (RefuseClosedStdout("info")) return kExitFileNotWritten;
  std::string name;
  if (const int code = ResolvePort(options.port, name); code != kExitOk) return code;
  PlatformPort port;
  LoggerSession session(port);
  TerminalUi ui(stdout);
  const ConnectResult result = ConnectOn(session, ui, name.c_str());
  if (result != ConnectResult::Connected) return ExitCodeFor(result);
  if (options.json) {
    PrintInfoJson(stdout, session.info);
  } else {
    PrintInfoText(stdout, session.info);
  }
  const INFO_TAB table = session.info.tab;
  TearDown(session, ui);
  return RecordInfoInArchive("info", options.archive, table, name.c_str());
}

}  // namespace zv::cli
