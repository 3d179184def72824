// zorvant-cli: the logger's information and sample download from a terminal, through the
// same connect, download and export code as the program.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>

#include "cli/exit_codes.h"
#include "cli/info_report.h"
#include "cli/output_file.h"
#include "cli/platform_port.h"
#include "cli/terminal.h"
#include "cli/terminal_ui.h"
#include "link/download.h"
#include "link/messages.h"
#include "link/session.h"
#include "samples/export_file.h"

namespace zv::cli {
namespace {

// 64 KiB of samples live in static storage, as in the program.
SampleStore g_samples;

int RunInfo(const std::string& portName, bool json) {
  PlatformPort port;
  LoggerSession session(port);
  TerminalUi ui(stdout);
  const ConnectResult result = ConnectTo(session, ui, portName.c_str());
  if (result != ConnectResult::Connected) return ExitCodeFor(result);
  if (json) {
    PrintInfoJson(stdout, session.info);
  } else {
    PrintInfoText(stdout, session.info);
  }
  TearDown(session, ui);
  return kExitOk;
}

int RunRead(const std::string& portName, const std::string& outputPath) {
  PlatformPort port;
  LoggerSession session(port);
  // With the file on stdout, the result messages move to stderr.
  TerminalUi ui(outputPath == "-" ? stderr : stdout);
  const ConnectResult result = ConnectTo(session, ui, portName.c_str());
  if (result != ConnectResult::Connected) return ExitCodeFor(result);

  if (!RunDownload(session, g_samples, ui)) {
    TearDown(session, ui);
    return kExitDownloadFailed;
  }
  int code = kExitOk;
  OutputFile file;
  if (file.Open(outputPath.c_str())) {
    WriteExportFile(g_samples.loaded, session.info, file);
    if (!file.Commit()) code = kExitFileNotWritten;
  } else {
    code = kExitFileNotWritten;
  }
  if (code == kExitOk) {
    ui.ShowMessage(msg::kSaved.c_str(), MessageIcon::Information, MessageButtons::Ok);
  } else {
    ui.ShowMessage(msg::kCannotSave.c_str(), MessageIcon::Exclamation, MessageButtons::Ok);
  }
  TearDown(session, ui);
  return code;
}

}  // namespace
}  // namespace zv::cli

int main(int argc, char** argv) {
  using namespace zv::cli;
  UseUtf8Console();
  CLI::App app{"zorvant-cli: reads a Kvar_2 temperature logger over its serial line."};
  app.footer(kExitCodeHelp);
  app.require_subcommand(1);

  std::string port;
  bool json = false;
  auto* info = app.add_subcommand("info", "Connect, print the logger's information, disconnect.");
  info->add_option("--port", port, "Serial port: a device path (Linux, macOS) or COM1..COM4")
      ->required();
  info->add_flag("--json", json, "Print one JSON object instead of text");

  std::string output;
  auto* read = app.add_subcommand(
      "read", "Connect, download the sample memory, write it as the text export, disconnect.");
  read->add_option("--port", port, "Serial port: a device path (Linux, macOS) or COM1..COM4")
      ->required();
  read->add_option("--output,-o", output,
                   "Export file (Windows-1250, CRLF); '-' for standard output. Written only "
                   "after a successful download, replacing the file atomically.")
      ->required();

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? kExitOk : kExitUsage;
  }
  if (*info) return RunInfo(port, json);
  return RunRead(port, output);
}
