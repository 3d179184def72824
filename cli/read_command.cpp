#include "cli/read_command.h"

#include "cli/exit_codes.h"
#include "cli/link_steps.h"
#include "cli/output_file.h"
#include "link/messages.h"
#include "samples/export_file.h"

namespace zv::cli {

CLI::App* AddReadCommand(CLI::App& app, ReadOptions& options) {
  auto* read = app.add_subcommand(
      "read", "Connect, download the sample memory, write it as the text export, disconnect.");
  read->add_option("--port", options.port, kPortHelp)->required();
  read->add_option("--output,-o", options.output,
                   "Export file (Windows-1250, CRLF); '-' for standard output. Written only "
                   "after a successful download, replacing the file atomically.")
      ->required();
  return read;
}

int RunRead(const ReadOptions& options) {
  // With the file on stdout, the result messages move to stderr.
  TerminalUi ui(options.output == "-" ? stderr : stdout);
  // The file is created (as a temporary beside the target) before the download, so a folder
  // that cannot take it fails at once, not after the transfer.
  OutputFile file;
  if (!file.Open(options.output.c_str())) {
    ui.ShowMessage(msg::kCannotSave.c_str(), MessageIcon::Exclamation, MessageButtons::Ok);
    return kExitFileNotWritten;
  }
  LoggerInfo info;
  const SampleBuffer* samples = nullptr;
  const int downloaded = DownloadFrom(options.port.c_str(), ui, info, samples);
  if (downloaded != kExitOk) return downloaded;

  WriteExportFile(*samples, info, file);
  if (!file.Commit()) {
    ui.ShowMessage(msg::kCannotSave.c_str(), MessageIcon::Exclamation, MessageButtons::Ok);
    return kExitFileNotWritten;
  }
  ui.ShowMessage(msg::kSaved.c_str(), MessageIcon::Information, MessageButtons::Ok);
  return kExitOk;
}

}  // namespace zv::cli
